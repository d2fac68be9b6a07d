#include "ImportHooksRecorder.h"
#include "exchange/ui/ManuallyEnter.h"
#include "exchange/ui/TdlgEnterMore.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

namespace {

class EnterMoreTest : public ImportDialogFixture {
protected:
    // One run of the dialog: the lines typed, the action picked, OK pressed.
    void enterAndRun(TdlgEnterMore& dialog, const char* action, const std::function<void()>& extra = {})
    {
        child<QPlainTextEdit>(dialog, "memEntries")->setPlainText("Ann Lee <ann@x.test>\nbob@x.test\n");
        child<QRadioButton>(dialog, action)->click();
        if (extra)
            extra();
        child<QPushButton>(dialog, "btnOK")->click();
    }
};

TEST_F(EnterMoreTest, TheThreeActionsHandTheLinesToTheImportWithTheirGroups)
{
    TdlgEnterMore dialog(*ctx, hooks());
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QLabel* count = child<QLabel>(dialog, "lblCount");
    QPushButton* ok = child<QPushButton>(dialog, "btnOK");
    EXPECT_EQ(count->text(), "How should these  addresses be processed?");
    EXPECT_FALSE(ok->isEnabled());
    child<QPlainTextEdit>(dialog, "memEntries")->setPlainText("a@x.test\nb@x.test\nc@x.test\n");
    EXPECT_EQ(count->text(), "How should these 3 addresses be processed?");
    EXPECT_TRUE(ok->isEnabled());

    QComboBox* addGroup = child<QComboBox>(dialog, "cmbAddGroup");
    QComboBox* removeGroup = child<QComboBox>(dialog, "cmbRemoveGroup");
    EXPECT_EQ(addGroup->currentText(), settings.AlternativeCategory);
    addGroup->setCurrentText("news");
    enterAndRun(dialog, "rdbAdd");
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_TRUE(child<QPlainTextEdit>(dialog, "memEntries")->toPlainText().isEmpty());

    dialog.show();
    enterAndRun(dialog, "rdbRemove", [&] {
        EXPECT_FALSE(addGroup->isEnabled());
        EXPECT_FALSE(removeGroup->isEnabled()) << "All Groups is the removal default";
    });

    dialog.show();
    enterAndRun(dialog, "rdbRemove", [&] {
        child<QRadioButton>(dialog, "rdbGroup")->click();
        EXPECT_TRUE(removeGroup->isEnabled());
    });
    EXPECT_EQ(ui.texts(), QStringList{"You have not entered a group to remove these addresses from!"});
    EXPECT_TRUE(dialog.isVisible());
    removeGroup->setCurrentText("news");
    ok->click();

    dialog.show();
    enterAndRun(dialog, "rdbUndeliverable", [&] {
        EXPECT_FALSE(addGroup->isEnabled());
        EXPECT_FALSE(removeGroup->isEnabled());
    });

    ASSERT_EQ(calls.size(), 4);
    struct Expected {
        bool add;
        QString group;
        bool asBounce;
    };
    const QList<Expected> expected{{true, "news", false}, {false, "", false}, {false, "news", false},
                                   {false, "news", true}};
    for (int i = 0; i < 4; ++i) {
        const ImportCall& call = calls[i];
        EXPECT_EQ(call.lines, (QStringList{"Ann Lee <ann@x.test>", "bob@x.test"})) << i;
        EXPECT_EQ(call.add, expected[i].add) << i;
        EXPECT_EQ(call.group, expected[i].group) << i;
        EXPECT_EQ(call.asBounce, expected[i].asBounce) << i;
        EXPECT_FALSE(call.splitFields) << i;
        EXPECT_EQ(call.options.note, "Manual insertion of addresses") << i;
        EXPECT_FALSE(call.options.showCompletion) << i;
        EXPECT_EQ(call.options.acknowledge, settings.AckManualEntries) << i;
        EXPECT_FALSE(call.options.dryRun) << i;
    }
}

TEST_F(EnterMoreTest, ManuallyEnterOpensWithThePastedTextAndAnUnknownAddGroupIsAsked)
{
    QString shownText;
    QString countText;
    QTimer::singleShot(0, [&] {
        auto* dialog = qobject_cast<TdlgEnterMore*>(QApplication::activeModalWidget());
        ASSERT_TRUE(dialog);
        shownText = child<QPlainTextEdit>(*dialog, "memEntries")->toPlainText();
        countText = child<QLabel>(*dialog, "lblCount")->text();
        child<QComboBox>(*dialog, "cmbAddGroup")->setCurrentText("friends");
        child<QPushButton>(*dialog, "btnOK")->click();  // the group chooser is cancelled
        EXPECT_TRUE(dialog->isVisible());
        dialog->reject();
    });
    EXPECT_FALSE(ManuallyEnter(nullptr, *ctx, hooks(), "ann@x.test\r\nbob@x.test"));
    EXPECT_EQ(shownText, "ann@x.test\nbob@x.test");
    EXPECT_EQ(countText, "How should these 2 addresses be processed?");
    EXPECT_TRUE(calls.isEmpty());
    EXPECT_EQ(settings.Cats, (QStringList{"default", "news"}));
}

}  // namespace
