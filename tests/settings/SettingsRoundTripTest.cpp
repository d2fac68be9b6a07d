#include "SettingsFixture.h"

#include "settings/SettingsKeys.h"

#include <variant>

namespace {

// A value the key's rule accepts, other than the default.
int otherNumber(const KeyRule& rule, int d)
{
    QList<int> candidates{d + 7};
    if (rule.usual)
        candidates << rule.usual->min << rule.usual->max;
    for (int n : candidates)
        if (n != d && (!rule.usual || rule.accepts(n)))
            return n;
    return d;
}

QString otherText(const SettingKey& key, const QString& d)
{
    for (const char* choice : key.rule.choices)
        if (d != choice)
            return choice;
    return QString("välue of ") + key.key;
}

// Gives every plainly stored key a value different from its default.
void changeEveryPlainKey(Settings& s)
{
    const Settings d;
    for (const SettingKey& key : settingKeys()) {
        if (key.access == KeyAccess::ReadOnly)
            continue;
        if (auto m = std::get_if<bool Settings::*>(&key.binding))
            s.**m = !(d.**m);
        else if (auto m = std::get_if<int Settings::*>(&key.binding))
            s.**m = otherNumber(key.rule, d.**m);
        else if (auto m = std::get_if<QString Settings::*>(&key.binding))
            s.**m = otherText(key, d.**m);
    }
}

}  // namespace

class SettingsRoundTrip : public SettingsFixture {};

TEST_F(SettingsRoundTrip, EveryPlainKeyReadsBackWhatWasSaved)
{
    Settings saved;
    changeEveryPlainKey(saved);
    ASSERT_TRUE(store().SaveEntries(saved));

    const Settings back = loaded();
    int checked = 0;
    for (const SettingKey& key : settingKeys()) {
        if (key.access == KeyAccess::ReadOnly)
            continue;
        if (auto m = std::get_if<bool Settings::*>(&key.binding))
            EXPECT_EQ(back.**m, saved.**m) << key.key;
        else if (auto m = std::get_if<int Settings::*>(&key.binding)) {
            EXPECT_NE(saved.**m, Settings().**m) << key.key;
            EXPECT_EQ(back.**m, saved.**m) << key.key;
        } else if (auto m = std::get_if<QString Settings::*>(&key.binding))
            EXPECT_EQ(back.**m, saved.**m) << key.key;
        else
            continue;
        ++checked;
    }
    EXPECT_GT(checked, 90);
    EXPECT_TRUE(ui.shown.isEmpty());
}

TEST_F(SettingsRoundTrip, KeysWithTheirOwnFormatsReadBack)
{
    Settings saved;
    saved.BounceMax = 25;
    saved.MoveFolder = "Local Folders//Done";
    saved.AfterProcess = "Move";
    saved.ForwardToWhom = "Email";
    saved.CurrentMode = "3SearchHit = TRUE";
    saved.IMAPSecurity = "STARTTLS";
    ASSERT_TRUE(store().SaveEntries(saved));

    const Settings back = loaded();
    EXPECT_TRUE(back.BounceRemoval);
    EXPECT_EQ(back.BounceMax, 25);
    EXPECT_EQ(back.AfterProcess, "Move");
    EXPECT_EQ(back.ForwardToWhom, "Email");
    EXPECT_EQ(back.CurrentMode, "3SearchHit = TRUE");
    EXPECT_EQ(back.IMAPSecurity, "STARTTLS");
}

TEST_F(SettingsRoundTrip, EveryListReadsBackLineForLine)
{
    Settings saved;
    for (const ListFile& list : listFiles()) {
        QStringList& lines = saved.*list.member;
        if (list.member == &Settings::WebForms) {
            for (QString& prefix : lines)
                prefix = "Feld " + prefix;
        } else {
            lines = QStringList{QString("first of ") + list.fileName, "", "zoë café  "};
        }
    }
    ASSERT_TRUE(store().SaveEntries(saved));

    const Settings back = loaded();
    for (const ListFile& list : listFiles())
        EXPECT_EQ(back.*list.member, saved.*list.member) << list.fileName;
    // The lists are UTF-8 on disk.
    EXPECT_EQ(readFile(folders.config + "Never.txt"), QString("first of Never.txt\n\nzoë café  \n").toUtf8());
}

TEST_F(SettingsRoundTrip, EmptyListsAreWrittenAndStayEmpty)
{
    Settings saved;
    saved.Never.clear();
    saved.Signature.clear();
    ASSERT_TRUE(store().SaveEntries(saved));
    EXPECT_TRUE(QFileInfo::exists(folders.config + "Signature.txt"));

    const Settings back = loaded();
    EXPECT_TRUE(back.Never.isEmpty());
    EXPECT_TRUE(back.Signature.isEmpty());
}

TEST_F(SettingsRoundTrip, SavingWritesTheDebugLinesAndSavesTheDatabaseFirst)
{
    ASSERT_TRUE(store().SaveEntries(Settings()));
    EXPECT_EQ(databaseSaves, 1);
    EXPECT_EQ(debugLines(), (QStringList{"DEBUG: [SaveEntries] Commence",
                                         "DEBUG: [SaveEntries] Create Ini File",
                                         "DEBUG: [SaveEntries] End"}));
}

TEST_F(SettingsRoundTrip, AFailingDatabaseSaveIsToldAndDoesNotStopTheSettingsSave)
{
    const QString failure = "The group list of your database could not be saved.\n\nCannot "
                            "write /lists/Cats.txt: No space left on device";
    SettingsStore::Hooks h = hooks();
    h.saveDatabase = [&] { throw std::runtime_error(failure.toStdString()); };
    SettingsStore failing(folders, ui, logs, h);
    Settings s;
    s.SMTPHost = "smtp.example.org";
    EXPECT_FALSE(failing.SaveEntries(s));
    EXPECT_EQ(ui.texts(), QStringList{failure});
    EXPECT_EQ(savedValue("Servers", "SMTPHost"), QString("smtp.example.org"));
}
