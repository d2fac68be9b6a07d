#pragma once

#include <QtGlobal>
#include <functional>

class SqliteConnection;

// Reports the progress of one long statement while it lives: the engine's steps as
// a share of the steps it is expected to take, each new percentage once, and never
// 100 before the statement has finished (the caller says 100 when it has).
class StepProgress {
public:
    StepProgress(SqliteConnection& connection, qint64 expectedSteps, int stepsPerCall,
                 std::function<void(int percent)> report);
    ~StepProgress();
    StepProgress(const StepProgress&) = delete;
    StepProgress& operator=(const StepProgress&) = delete;

private:
    SqliteConnection& connection_;
    std::function<void(int)> report_;
    qint64 expected_;
    qint64 done_ = 0;
    int last_ = -1;
};
