#include "store/DBInfo.h"
#include "store/ui/TdlgOpenDB.h"
#include "support/ScriptedUi.h"

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <gtest/gtest.h>

namespace {

class TdlgOpenDBTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    ScriptedUi ui;

    QString folder(const QString& name)
    {
        const QString path = QDir(tmp.path()).absolutePath() + "/" + name + "/";
        QDir().mkpath(path);
        return path;
    }
    static QLineEdit* edit(TdlgOpenDB& d, const char* name) { return d.findChild<QLineEdit*>(name); }
    static QPushButton* button(TdlgOpenDB& d, const char* name) { return d.findChild<QPushButton*>(name); }
};

TEST_F(TdlgOpenDBTest, DescribesWhatTheFolderHolds)
{
    const QString named = folder("named");
    DBInfo info;
    info.DatabaseName = "Garden Club";
    ASSERT_TRUE(info.write(named));
    const QString unnamed = folder("unnamed");
    ASSERT_TRUE(DBInfo{}.write(unnamed));
    const QString v3 = folder("v3");
    QFile f(v3 + "mailist.dat");
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    const QString none = folder("none");

    TdlgOpenDB dialog(ui, named);
    dialog.show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
    QLineEdit* edtFolder = edit(dialog, "edtFolder");
    QLineEdit* edtDatabase = edit(dialog, "edtDatabase");
    ASSERT_TRUE(edtFolder && edtDatabase);
    EXPECT_TRUE(edtFolder->isReadOnly());
    EXPECT_TRUE(edtDatabase->isReadOnly());
    EXPECT_EQ(dialog.windowTitle(), "Create/Open Mailing List Database");
    EXPECT_EQ(edtFolder->text(), named);
    EXPECT_EQ(edtDatabase->text(), "\"Garden Club\"");

    dialog.selectFolder(unnamed);
    EXPECT_EQ(edtFolder->text(), unnamed);
    EXPECT_EQ(edtDatabase->text(), "Unknown Database");
    dialog.selectFolder(v3);
    EXPECT_EQ(edtDatabase->text(), "V3 Format Database");
    dialog.selectFolder(none);
    EXPECT_EQ(edtDatabase->text(), "No database found");
}

TEST_F(TdlgOpenDBTest, ButtonsNeedAFolder)
{
    TdlgOpenDB empty(ui, "");
    EXPECT_FALSE(button(empty, "btnOK")->isEnabled());
    EXPECT_FALSE(button(empty, "btnNewFolder")->isEnabled());
    EXPECT_TRUE(button(empty, "btnCancel")->isEnabled());

    TdlgOpenDB chosen(ui, folder("x"));
    EXPECT_TRUE(button(chosen, "btnOK")->isEnabled());
    EXPECT_TRUE(button(chosen, "btnNewFolder")->isEnabled());
}

TEST_F(TdlgOpenDBTest, OkOnAMissingFolderAsksBeforeCreatingIt)
{
    const QString missing = QDir(tmp.path()).absolutePath() + "/a/b/lists/";
    TdlgOpenDB dialog(ui, missing);
    EXPECT_EQ(dialog.folder(), missing);

    button(dialog, "btnOK")->click();  // Cancel
    EXPECT_EQ(ui.texts(), QStringList{"The folder, " + missing +
                                      " does not exist.  Would you like to create it?"});
    EXPECT_FALSE(QFileInfo::exists(missing));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);

    ui.answer(Ui::Answer::Ok);
    button(dialog, "btnOK")->click();
    EXPECT_TRUE(QFileInfo(missing).isDir());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
}

TEST_F(TdlgOpenDBTest, NewFolderIsMadeUnderTheSelectedOne)
{
    const QString parent = folder("parent");
    TdlgOpenDB dialog(ui, parent);

    ui.input(QString());
    button(dialog, "btnNewFolder")->click();
    EXPECT_EQ(dialog.folder(), parent);

    ui.input(QString("Members"));
    button(dialog, "btnNewFolder")->click();
    EXPECT_TRUE(QFileInfo(parent + "Members").isDir());
    EXPECT_EQ(dialog.folder(), parent + "Members/");
    EXPECT_TRUE(ui.sawText("Create Subfolder: Specify the name for the new folder"));

    ui.input(QString("../escape"));
    button(dialog, "btnNewFolder")->click();
    EXPECT_TRUE(ui.sawText("Error encountered creating the folder, " + parent + "Members/../escape"));
    EXPECT_FALSE(QFileInfo::exists(parent + "escape"));
}

}  // namespace
