#include "subscriptions/ui/TdlgChangeAddress.h"
#include "subscriptions/ui/TdlgChooseCategory.h"
#include "subscriptions/ui/TdlgSenderMethod.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <gtest/gtest.h>

TEST(ChooseGroupDialog, StaysOpenUntilTheCheckPassesAndTakesItsCorrection)
{
    int checks = 0;
    TdlgChooseCategory dialog("Pick a group", {"default", "news"}, "news", [&](QString& group) {
        ++checks;
        if (group.isEmpty())
            return false;
        group = group.toLower();
        return true;
    });
    EXPECT_EQ(dialog.windowTitle(), "Choose Group");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblHeading")->text(), "Pick a group");
    auto* combo = dialog.findChild<QComboBox*>("cmbcategory");
    ASSERT_TRUE(combo);
    EXPECT_EQ(combo->count(), 2);
    EXPECT_EQ(combo->currentText(), "news");

    dialog.show();
    combo->setCurrentText("");
    dialog.accept();
    EXPECT_TRUE(dialog.isVisible());
    combo->setCurrentText("Sales");
    dialog.accept();
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.group(), "sales");
    EXPECT_EQ(checks, 2);
}

TEST(ChangeAddressDialog, IgnoreRulesCountsOnlyWhenShown)
{
    TdlgChangeAddress hidden("old@example.com", "", false);
    EXPECT_EQ(hidden.windowTitle(), "Update E-mail Address");
    auto* box = hidden.findChild<QCheckBox*>("chkIgnoreRules");
    ASSERT_TRUE(box);
    EXPECT_TRUE(box->isHidden());
    box->setChecked(true);
    hidden.findChild<QLineEdit*>("edtNewAddress")->setText("new@example.com");
    const auto a = hidden.change();
    EXPECT_EQ(a.oldAddress, "old@example.com");
    EXPECT_EQ(a.newAddress, "new@example.com");
    EXPECT_FALSE(a.ignoreRules);

    TdlgChangeAddress shown("old@example.com", "new@example.com", true);
    auto* shownBox = shown.findChild<QCheckBox*>("chkIgnoreRules");
    EXPECT_FALSE(shownBox->isHidden());
    EXPECT_EQ(shownBox->text(), "Ignore All Rules");
    shownBox->setChecked(true);
    EXPECT_TRUE(shown.change().ignoreRules);
}

TEST(SenderMethodDialog, EachButtonAnswersItsChoiceAndTheBoxIsKept)
{
    for (const auto& [button, choice] :
         {std::pair{"btnChange", Ui::SenderChoice::ChangeMethod}, std::pair{"btnNoChange", Ui::SenderChoice::DoNotChange},
          std::pair{"btnCancelProcessing", Ui::SenderChoice::CancelProcessing}}) {
        TdlgSenderMethod dialog("The sender could not be read.", true);
        EXPECT_EQ(dialog.windowTitle(), "Error retrieving Sender Address");
        dialog.findChild<QCheckBox*>("chkAlwaysShow")->setChecked(false);
        dialog.show();
        dialog.findChild<QPushButton*>(button)->click();
        EXPECT_FALSE(dialog.isVisible());
        EXPECT_EQ(dialog.choice(), choice) << button;
        EXPECT_FALSE(dialog.alwaysShow());
    }
}
