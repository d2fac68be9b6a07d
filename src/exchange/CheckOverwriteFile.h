#pragma once

#include <QString>

class Ui;

// True when the file does not exist or the person agrees to overwrite it.
bool CheckOverwriteFile(Ui& ui, const QString& fileName);
