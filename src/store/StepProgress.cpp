#include "store/StepProgress.h"

#include "store/SqliteConnection.h"

#include <algorithm>

StepProgress::StepProgress(SqliteConnection& connection, qint64 expectedSteps, int stepsPerCall,
                           std::function<void(int percent)> report)
    : connection_(connection), report_(std::move(report)), expected_(std::max<qint64>(1, expectedSteps))
{
    connection_.setProgressHandler(stepsPerCall, [this, stepsPerCall] {
        done_ += stepsPerCall;
        const int percent = int(std::min<qint64>(99, done_ * 100 / expected_));
        if (percent != last_)
            report_(last_ = percent);
    });
}

StepProgress::~StepProgress() { connection_.setProgressHandler(0, {}); }
