#include "mail/ContactsStore.h"
#include "mail/FolderNavigation.h"
#include "mail/MaildirStore.h"
#include "mail/ui/FolderTree.h"
#include "mail/ui/TdlgGetOLFolder.h"
#include "support/ScriptedUi.h"
#include "support/TestFiles.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

class FolderPickerTest : public ::testing::Test {
protected:
    QTemporaryDir tmp;
    QString mail = tmp.path() + "/Mail";
    ScriptedUi ui;
    MailStores stores = makeStores();

    MailStores makeStores()
    {
        for (const char* folder : {"Inbox/Sub", "Calendar", "notes", "Tasks", "Deleted Items"})
            for (const char* sub : {"cur", "new", "tmp"})
                QDir().mkpath(mail + '/' + folder + '/' + sub);
        QDir().mkpath(tmp.path() + "/Contacts");
        writeTestFile(tmp.path() + "/Contacts/Friends.vcf", "BEGIN:VCARD\r\nFN:Ann\r\nEND:VCARD\r\n");
        // A store that cannot be reached: its folder would have to live inside a file.
        writeTestFile(tmp.path() + "/plain-file", "x");
        std::vector<std::unique_ptr<MailStore>> list;
        list.push_back(openMaildirStore("Local Folders", mail));
        list.push_back(openMaildirStore("Unreachable", tmp.path() + "/plain-file/Mail"));
        list.push_back(openContactsStore(tmp.path() + "/Contacts"));
        return MailStores(std::move(list), "Local Folders//Inbox");
    }

    static QStringList captions(QTreeWidgetItem* parent)
    {
        QStringList out;
        for (int i = 0; i < parent->childCount(); ++i)
            out << parent->child(i)->text(0);
        return out;
    }
    // The node reached through these captions, one per level.
    static QTreeWidgetItem* node(QTreeWidget* tree, const QStringList& path)
    {
        QTreeWidgetItem* at = tree->invisibleRootItem();
        for (const QString& caption : path) {
            QTreeWidgetItem* next = nullptr;
            for (int i = 0; i < at->childCount() && !next; ++i)
                if (at->child(i)->text(0) == caption)
                    next = at->child(i);
            if (!next)
                return nullptr;
            at = next;
        }
        return at;
    }
    static QTreeWidget* loadedTree(QWidget& dialog)
    {
        auto* tree = dialog.findChild<QTreeWidget*>("tvFolders");
        EXPECT_TRUE(tree && QTest::qWaitFor([&] { return tree->topLevelItemCount() > 0; }, 2000));
        return tree;
    }
};

TEST_F(FolderPickerTest, ShowsEveryReachableStoreSortedAndAcceptsOnlyMailFolders)
{
    TdlgGetOLFolder dialog(stores, ui, "Select the folder to check for new entries");
    EXPECT_EQ(dialog.windowTitle(), "Select Mail Account Folder");
    EXPECT_EQ(dialog.findChild<QLabel*>("lblPrompt")->text(), "Select the folder to check for new entries");
    dialog.show();
    QTreeWidget* tree = loadedTree(dialog);
    ASSERT_TRUE(tree);

    EXPECT_EQ(captions(tree->invisibleRootItem()), QStringList({"Contacts", "Local Folders"}));
    EXPECT_TRUE(tree->topLevelItem(0)->isExpanded());
    EXPECT_EQ(captions(tree->topLevelItem(0)), QStringList({"Friends*"}));
    EXPECT_EQ(captions(tree->topLevelItem(1)),
              QStringList({"Calendar", "Deleted Items", "Inbox", "notes", "Tasks"}));
    ASSERT_EQ(ui.texts().size(), 1);
    EXPECT_TRUE(ui.texts()[0].startsWith("An error was encountered logging into your profile: "));
    EXPECT_TRUE(ui.progressCaptions.contains("Retrieving Mail Account Folders"));
    EXPECT_EQ(ui.busyDepth, 0);
    EXPECT_GE(ui.maxBusyDepth, 1);

    auto* ok = dialog.findChild<QPushButton*>("btnOK");
    auto* newFolder = dialog.findChild<QPushButton*>("btnNewFolder");
    const QList<QStringList> refused = {{"Local Folders"}, {"Contacts"}, {"Contacts", "Friends*"},
                                        {"Local Folders", "Calendar"}, {"Local Folders", "notes"},
                                        {"Local Folders", "Tasks"}};
    for (const QStringList& path : refused) {
        tree->setCurrentItem(node(tree, path));
        EXPECT_FALSE(ok->isEnabled()) << path.join("/").toStdString();
        EXPECT_FALSE(newFolder->isEnabled()) << path.join("/").toStdString();
    }
    tree->setCurrentItem(node(tree, {"Local Folders", "Inbox", "Sub"}));
    EXPECT_TRUE(ok->isEnabled());
    EXPECT_TRUE(newFolder->isEnabled());
    QTest::mouseClick(ok, Qt::LeftButton);
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.folderPath(), "Local Folders//Inbox//Sub");
}

TEST_F(FolderPickerTest, NewFolderMakesTheMaildirAndItsNode)
{
    TdlgGetOLFolder dialog(stores, ui, "Pick");
    dialog.show();
    QTreeWidget* tree = loadedTree(dialog);
    ASSERT_TRUE(tree);
    QTreeWidgetItem* inbox = node(tree, {"Local Folders", "Inbox"});
    tree->setCurrentItem(inbox);
    ui.shown.clear();
    ui.input("Lists - 2024");
    ui.input("Lists - 2024");
    auto* newFolder = dialog.findChild<QPushButton*>("btnNewFolder");
    QTest::mouseClick(newFolder, Qt::LeftButton);

    EXPECT_EQ(ui.texts(), QStringList({"Create Mail Account Folder: Specify the name of your new mail account folder"}));
    EXPECT_TRUE(QFileInfo(mail + "/Inbox/Lists - 2024/new").isDir());
    EXPECT_EQ(captions(inbox), QStringList({"Lists - 2024", "Sub"}));
    EXPECT_EQ(stores.open("Local Folders//Inbox//Lists - 2024")->path(), "Local Folders//Inbox//Lists - 2024");

    QTest::mouseClick(newFolder, Qt::LeftButton);
    ASSERT_EQ(ui.texts().size(), 3);
    EXPECT_TRUE(ui.texts()[2].startsWith("An error was encountered creating the mail account folder, Lists - 2024: "));
    EXPECT_EQ(captions(inbox), QStringList({"Lists - 2024", "Sub"}));
    EXPECT_FALSE(CreateOutlookFolder(stores, ui, "Local Folders//Gone", "New"));
    EXPECT_EQ(ui.texts().last(), "An error was encountered creating the mail account folder, New: Cannot locate folder");
}

TEST_F(FolderPickerTest, NavigationNamesTheStepThatIsMissing)
{
    QString last;
    auto folder = NavigateToOLFolder(stores, "Local Folders//Inbox//Sub", ui, last);
    ASSERT_TRUE(folder);
    EXPECT_EQ(folder->path(), "Local Folders//Inbox//Sub");
    EXPECT_EQ(last, "Sub");
    EXPECT_TRUE(ui.shown.isEmpty());

    EXPECT_FALSE(NavigateToOLFolder(stores, "Local Folders//Archive//Sub", ui, last));
    EXPECT_EQ(last, "Archive");
    EXPECT_FALSE(NavigateToOLFolder(stores, "Old Account//Inbox", ui, last));
    EXPECT_EQ(ui.texts(), QStringList({"The folder, Archive, could not be opened",
                                       "The folder, Old Account, could not be opened"}));
}

TEST_F(FolderPickerTest, ContactsModeAnswersTheFirstContactsFolder)
{
    QTreeWidget tree;
    EXPECT_EQ(AddOLFolders2TreeView(&tree, stores, ui, true), "Contacts//Friends");

    std::vector<std::unique_ptr<MailStore>> mailOnly;
    mailOnly.push_back(openMaildirStore("Local Folders", mail));
    ui.shown.clear();
    EXPECT_EQ(AddOLFolders2TreeView(&tree, MailStores(std::move(mailOnly), {}), ui, true), "");
    EXPECT_EQ(ui.texts(), QStringList({"Your Contacts folder could not be found"}));
    EXPECT_EQ(tree.topLevelItemCount(), 1);
}

TEST_F(FolderPickerTest, TheModalPickerAnswersThePathOnOkAndNothingOnEscape)
{
    const auto answer = [this](bool pickInbox) {
        QTimer::singleShot(0, [this, pickInbox] {
            auto* dialog = QApplication::activeModalWidget();
            ASSERT_TRUE(dialog);
            QTreeWidget* tree = loadedTree(*dialog);
            if (!pickInbox) {
                QTest::keyClick(tree, Qt::Key_Escape);
                return;
            }
            tree->setCurrentItem(node(tree, {"Local Folders", "Inbox"}));
            QTest::mouseClick(dialog->findChild<QPushButton*>("btnOK"), Qt::LeftButton);
        });
    };
    answer(true);
    EXPECT_EQ(GetOutlookFolder(nullptr, stores, ui, "Pick"), "Local Folders//Inbox");
    answer(false);
    EXPECT_EQ(GetOutlookFolder(nullptr, stores, ui, "Pick"), "");
}

}  // namespace
