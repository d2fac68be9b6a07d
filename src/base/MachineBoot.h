#pragma once

#include <QString>

// Names this start of this machine: the same text until the machine starts again.
// A run that finds the name it wrote knows that every write it made before a stop
// reached the disk's cache and survived, since only a machine stop loses that
// cache. Empty when the system does not tell, which callers treat as a new start.
QString machineBootId();
