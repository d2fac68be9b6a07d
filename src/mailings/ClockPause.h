#pragma once

#include "mailings/StaggerPause.h"

#include <functional>

// The stagger pause where no one watches it: waits the whole pause on the clock it
// is given (tests give one that only counts).
class ClockPause : public StaggerPause {
public:
    explicit ClockPause(std::function<void(int milliseconds)> wait) : wait_(std::move(wait)) {}
    Result pause(int seconds) override
    {
        wait_((seconds + 1) * 1000);
        return Result::Continue;
    }

private:
    std::function<void(int)> wait_;
};
