#pragma once

// The two settings the logs obey, seen through references so that a change to
// the settings takes effect on the next line without the logs knowing them.
struct LogSwitches {
    const bool& MaintainLog;
    const bool& DebugLogging;
};
