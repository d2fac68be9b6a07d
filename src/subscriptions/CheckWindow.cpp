#include "subscriptions/CheckWindow.h"

#include "base/Ui.h"

namespace {

class ProgressCheckWindow : public CheckWindow {
public:
    ProgressCheckWindow(Ui& ui, const QString& heading) : ui_(ui)
    {
        ui_.showProgress(heading, 100, true);
        ui_.setProgress(0);
    }
    ~ProgressCheckWindow() override { ui_.hideProgress(); }
    ProgressCheckWindow(const ProgressCheckWindow&) = delete;
    ProgressCheckWindow& operator=(const ProgressCheckWindow&) = delete;

    void setGauge(int percent) override { ui_.setProgress(percent); }
    void showMessage(const CurrentMessage&) override {}
    bool cancelled() const override { return false; }  // the Ui's own cancel flag is read by the pass

private:
    Ui& ui_;
};

}  // namespace

std::unique_ptr<CheckWindow> progressCheckWindow(Ui& ui, const QString& heading)
{
    return std::make_unique<ProgressCheckWindow>(ui, heading);
}
