#include "../ListFixture.h"

#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/ui/TfrmExtractentries.h"
#include "support/MaildirDrop.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QProgressBar>
#include <QPushButton>

namespace {

// The real window, watched: the test presses its "x" while the pass is at the
// 30th message, as a person would.
class WatchedWindow : public CheckWindow {
public:
    WatchedWindow(std::unique_ptr<CheckWindow> window, QPointer<TfrmExtractentries> shown)
        : window_(std::move(window)), shown_(shown)
    {
    }

    void setGauge(int percent) override { window_->setGauge(percent); }
    void showMessage(const CurrentMessage& message) override
    {
        window_->showMessage(message);
        if (++messages == 30) {
            wasModal = QApplication::activeModalWidget() == shown_;
            lastGauge = shown_->findChild<QProgressBar*>("Gauge1")->value();
            subject = shown_->findChild<QLineEdit*>("edtsubject")->text();
            shown_->findChild<QPushButton*>("btnx")->click();
        }
    }
    bool cancelled() const override { return window_->cancelled(); }

    inline static int messages = 0;
    inline static bool wasModal = false;
    inline static int lastGauge = 0;
    inline static QString subject;

private:
    std::unique_ptr<CheckWindow> window_;
    QPointer<TfrmExtractentries> shown_;
};

class CheckWindowTest : public ListFixture {};

TEST_F(CheckWindowTest, TheXStopsThePassWithoutAQuestionAndWhatWasDoneStays)
{
    settings.RetrieveMethod = 0;
    settings.MailingListFolder = "Local Folders//Inbox";
    const QString root = dir.path() + "/Mail";
    MaildirDrop inbox(root + "/Inbox");
    for (int i = 0; i < 60; ++i)
        inbox.deliver(requestMessage(QString("p%1@x.test").arg(i), "subscribe"));

    std::vector<std::unique_ptr<MailStore>> list;
    list.push_back(openMaildirStore("Local Folders", root));
    const MailStores stores(std::move(list), "Local Folders//Inbox");
    QPointer<TfrmExtractentries> shown;
    QString heading;
    CheckRunHooks hooks;
    hooks.pass.openCheckWindow = [&](const QString& text) -> std::unique_ptr<CheckWindow> {
        auto window = TfrmExtractentries::open(text, nullptr);
        shown = dynamic_cast<TfrmExtractentries*>(window.get());
        heading = shown->findChild<QLabel*>("lblHeading")->text();
        return std::make_unique<WatchedWindow>(std::move(window), shown);
    };
    CheckCounts counts;
    btngetoutlookClick(*ctx, stores, hooks, counts);

    EXPECT_EQ(heading, "Accessing Mail Account Entries...");
    EXPECT_TRUE(WatchedWindow::wasModal);
    EXPECT_EQ(WatchedWindow::subject, "subscribe");
    EXPECT_EQ(WatchedWindow::lastGauge, 30 * 100 / 60);
    // The pass stops at the next look at the window, every 20 messages.
    EXPECT_EQ(counts.lookedAt, 40);
    EXPECT_EQ(entries().count(), 40);
    EXPECT_EQ(inbox.files().size(), 20);
    EXPECT_TRUE(ui.shown.isEmpty());
    EXPECT_TRUE(shown.isNull());  // closed with the pass
}

}  // namespace
