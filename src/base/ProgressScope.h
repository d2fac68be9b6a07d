#pragma once

#include "base/Ui.h"

// Shows the progress display for a scope and hides it on every way out; the
// cancel flag starts cleared.
class ProgressScope {
public:
    ProgressScope(Ui& ui, const QString& caption, int total, bool cancellable) : ui_(ui)
    {
        ui_.resetCancel();
        ui_.showProgress(caption, total, cancellable);
    }
    ~ProgressScope() { ui_.hideProgress(); }
    ProgressScope(const ProgressScope&) = delete;
    ProgressScope& operator=(const ProgressScope&) = delete;

    // Reports the position and lets pending events through; false once cancelled.
    bool step(int position)
    {
        ui_.setProgress(position);
        ui_.processEvents();
        return !ui_.cancelRequested();
    }

private:
    Ui& ui_;
};
