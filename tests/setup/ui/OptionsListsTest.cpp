#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "subscriptions/ListFixture.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimer>
#include <algorithm>
#include <optional>

namespace {

using Answer = Ui::Answer;

const QString kCommaQuestion =
    "An entry contains a comma.  The comma character is not supported and will be "
    "converted to an underscore character (_)";
const QString kSpaceQuestion =
    "An entry contains a space.  The space character is not supported and will be "
    "converted to an underscore character (_)";

QStringList sorted(QStringList list)
{
    list.sort();
    return list;
}

// The options dialog over a real database folder; what OK saves is kept.
class OptionsLists : public ListFixture {
protected:
    void SetUp() override
    {
        ListFixture::SetUp();
        services = std::make_unique<OptionsServices>(
            OptionsServices{ui,
                            *logs,
                            [this](Settings& s) {
                                return ListContext{s, *logs, ui, *db, *statistics};
                            },
                            {},
                            {},
                            {},
                            [this](const Settings& s) {
                                saved = s;
                                return true;
                            },
                            {}});
        dialog = std::make_unique<Tdlgoptions>(*services, settings);
    }

    template <class W> W* find(const QString& name)
    {
        W* widget = dialog->findChild<W*>(name);
        EXPECT_NE(widget, nullptr) << name.toStdString();
        return widget;
    }

    // Opens "Edit Entries" with the list's Edit button, types the text over what it
    // shows and presses OK; what it showed at first comes back.
    QString editList(const QString& list, const QString& typed)
    {
        QString shownFirst;
        QTimer::singleShot(0, [&] {
            QWidget* editor = QApplication::activeModalWidget();
            ASSERT_NE(editor, nullptr);
            auto* text = editor->findChild<QPlainTextEdit*>("memEntries");
            shownFirst = text->toPlainText();
            text->setPlainText(typed);
            editor->findChild<QDialogButtonBox*>("buttonBox")
                ->button(QDialogButtonBox::Ok)
                ->click();
        });
        find<QPushButton>("btnEdit" + list)->click();
        return shownFirst;
    }

    QStringList listItems(const QString& list)
    {
        QStringList out;
        auto* box = find<QListWidget>(list);
        for (int i = 0; i < box->count(); ++i)
            out << box->item(i)->text();
        return out;
    }

    QStringList comboItems(const QString& name)
    {
        QStringList out;
        auto* box = find<QComboBox>(name);
        for (int i = 0; i < box->count(); ++i)
            out << box->itemText(i);
        return out;
    }

    int timesShown(const QString& text) const { return int(ui.texts().count(text)); }

    void pressOk() { find<QPushButton>("btnOptionsOK")->click(); }

    std::unique_ptr<OptionsServices> services;
    std::unique_ptr<Tdlgoptions> dialog;
    std::optional<Settings> saved;
};

TEST_F(OptionsLists, TypedGroupsAreStoredLowerCasedOnceEachWithCommasTurnedIntoUnderscoresOrDropped)
{
    ui.answer(Answer::Ok);     // "Sales,Europe"
    ui.answer(Answer::Ok);     // "sales,europe", the same group again
    ui.answer(Answer::Cancel); // "Web,Team"
    const QString shownFirst =
        editList("lbxcategories", "Sales,Europe\nNEWS\n\n  sales,europe\nWeb,Team\ndefault");

    EXPECT_EQ(shownFirst, "default\nnews");
    EXPECT_EQ(timesShown(kCommaQuestion), 3);
    const QStringList expected = {"default", "news", "sales_europe"};
    EXPECT_EQ(listItems("lbxcategories"), expected);
    EXPECT_EQ(comboItems("defaultcategory"), expected);
    EXPECT_EQ(comboItems("AlternativeCategory"), expected);

    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Cats, expected);
    EXPECT_EQ(saved->defaultcategory, "Default");
}

TEST_F(OptionsLists, KeywordsAreStoredUpperCasedAndABlankIsAskedAbout)
{
    ui.answer(Answer::Cancel); // "sign up"
    ui.answer(Answer::Ok);     // "enrol me"
    editList("Addstr", "join\nSubscribe\nsign up\nenrol me\nJOIN");

    EXPECT_EQ(timesShown(kSpaceQuestion), 2);
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_EQ(saved->Addstr, QStringList({"ENROL_ME", "JOIN", "SUBSCRIBE"}));
    EXPECT_EQ(saved->Remstr, settings.Remstr); // the other keyword lists are untouched
}

TEST_F(OptionsLists, TheExceptionScanRemovesOnlyOnYesAndUsesTheListAsJustEdited)
{
    addEntry("anna@spam.example", "news");
    addEntry("bob@example.test", "default");
    const QString question =
        "You have changed your exceptions list.  Do you want to scan your list now to "
        "ensure these exceptions do not exist?";

    ui.answer(Answer::No);
    editList("lbxexceptions", "__\nhotmial\nSPAM.");
    EXPECT_EQ(timesShown(question), 1);
    EXPECT_EQ(itemsAndGroups(),
              QStringList({"anna@spam.example|news", "bob@example.test|default"}));

    ui.answer(Answer::Yes);
    editList("lbxexceptions", "__\nhotmial\nSPAM.");
    EXPECT_EQ(timesShown(question), 2);
    EXPECT_EQ(itemsAndGroups(), QStringList({"bob@example.test|default"}));
    EXPECT_EQ(db->entryCount(), 1);
    EXPECT_EQ(listItems("lbxexceptions"), QStringList({"__", "hotmial", "spam."}));

    editList("lbxexceptions", ""); // an empty list has nothing to scan for
    EXPECT_EQ(timesShown(question), 2);
}

TEST_F(OptionsLists, TheBlockedListScanRemovesEveryBlockedAddressFromEveryGroup)
{
    addEntry("Blocked@Example.test", "news");
    addEntry("blocked@example.test", "default");
    addEntry("keep@example.test", "news");

    ui.answer(Answer::Yes);
    editList("lbxneversubscribe", "BLOCKED@example.test");

    EXPECT_TRUE(ui.sawText(
        "You have changed your blocked addresses list.  Do you want to scan your list now "
        "to ensure these addresses do not exist?"));
    EXPECT_EQ(listItems("lbxneversubscribe"), QStringList({"blocked@example.test"}));
    EXPECT_EQ(itemsAndGroups(), QStringList({"keep@example.test|news"}));
    EXPECT_EQ(db->entryCount(), 1);
    const QStringList log = logMessages();
    EXPECT_TRUE(std::any_of(log.begin(), log.end(), [](const QString& line) {
        return line.startsWith("REMOVE blocked@example.test") &&
               line.endsWith("(Removal of Blocked addresses)  ->  Entry successfully deleted!");
    })) << log.join('\n').toStdString();
}

TEST_F(OptionsLists, AddingAllGroupsWithTheListClearedGivesExactlyTheDatabasesGroups)
{
    addEntry("a@example.test", "Sales");
    addEntry("b@example.test", "news");
    addEntry("c@example.test", "Support");
    addEntry("d@example.test", "sales");
    const QString question =
        "This process will add all the groups in your current database to your group "
        "list.\n\nDo you want to clear the entries currently in your group list?";

    ui.answer(Answer::Cancel);
    find<QPushButton>("btnAddAllGroups")->click();
    EXPECT_EQ(timesShown(question), 1);
    EXPECT_EQ(listItems("lbxcategories"), QStringList({"default", "news"}));

    ui.answer(Answer::Yes);
    find<QPushButton>("btnAddAllGroups")->click();
    const QStringList expected = {"news", "sales", "support"};
    EXPECT_EQ(sorted(listItems("lbxcategories")), expected);
    EXPECT_EQ(sorted(comboItems("defaultcategory")), expected);
    EXPECT_EQ(sorted(dialog->edited().Cats), expected);
    EXPECT_TRUE(ui.progressCaptions.contains("Checking for Exceptions"));
    EXPECT_EQ(settings.Cats, QStringList({"default", "news"})); // only the dialog's copy changed
}

TEST_F(OptionsLists, TheBounceRemovalBoxSwitchesItsCountAndBothReachTheSettings)
{
    settings.BounceRemoval = false;
    dialog = std::make_unique<Tdlgoptions>(*services, settings);
    auto* removal = find<QCheckBox>("BounceRemoval");
    auto* count = find<QSpinBox>("BounceMax");
    EXPECT_FALSE(removal->isChecked());
    EXPECT_FALSE(count->isEnabled());
    EXPECT_EQ(count->minimum(), 1); // 0 would mean off: only the box turns removal off

    removal->setChecked(true);
    EXPECT_TRUE(count->isEnabled());
    count->setValue(25);
    pressOk();
    ASSERT_TRUE(saved);
    EXPECT_TRUE(saved->BounceRemoval);
    EXPECT_EQ(saved->BounceMax, 25);
}

}  // namespace
