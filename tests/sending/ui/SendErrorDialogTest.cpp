#include "sending/ui/TdlgSendError.h"

#include <QApplication>
#include <QCheckBox>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <gtest/gtest.h>

namespace {
template <class W> W* inDialog(const char* name)
{
    QWidget* dialog = QApplication::activeModalWidget();
    return dialog ? dialog->findChild<W*>(name) : nullptr;
}
}  // namespace

TEST(SendErrorDialog, AnUnconfirmedAbortKeepsItOpenAndEscapeGoesOnWithTheBoxRead)
{
    int asked = 0;
    bool recipientsShown = false;
    QTimer::singleShot(0, [&] {
        inDialog<QPushButton>("btnAbort")->click();  // not confirmed: still open
        ASSERT_NE(QApplication::activeModalWidget(), nullptr);
        inDialog<QPushButton>("btnShowRecipients")->click();
        inDialog<QCheckBox>("chkNoErrors")->setChecked(true);
        QTest::keyClick(QApplication::activeModalWidget(), Qt::Key_Escape);
    });
    bool hide = false;
    const auto choice = TdlgSendError::ask(
        nullptr, "550 5.1.1 <x@example.test>: Recipient address rejected", hide,
        [&] {
            ++asked;
            return false;
        },
        [&] { recipientsShown = true; });
    EXPECT_EQ(choice, Ui::SendErrorChoice::Ok);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(recipientsShown);
    EXPECT_TRUE(hide);

    QTimer::singleShot(0, [] {
        EXPECT_FALSE(inDialog<QPushButton>("btnShowRecipients")->isEnabled());
        inDialog<QPushButton>("btnAbort")->click();
    });
    EXPECT_EQ(TdlgSendError::ask(nullptr, "again", hide, [] { return true; }, {}), Ui::SendErrorChoice::Abort);
}
