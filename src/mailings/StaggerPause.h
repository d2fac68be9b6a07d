#pragma once

// The pause a run makes before every message but its first when StaggerDelay is
// set. The desktop shows it as the "Send Delay" countdown; elsewhere it waits on a
// clock.
class StaggerPause {
public:
    enum class Result {
        Continue,  // the pause ended or was skipped: send the next message
        SkipAll,   // no more pauses in this run
        Cancel,    // the person confirmed the cancel: send nothing more
    };
    virtual ~StaggerPause() = default;
    // Counts down once a second from seconds and ends on the tick at which the count
    // would fall below zero, so a whole pause lasts seconds + 1.
    virtual Result pause(int seconds) = 0;
};
