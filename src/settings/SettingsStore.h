#pragma once

#include <QDateTime>
#include <QString>
#include <QUrl>
#include <functional>

struct Folders;
struct Settings;
class IniFile;
class Logs;
class Ui;

// Loads and saves the options: Settings.ini (sections "Settings", "Database",
// "Servers") and the text-list files of the configuration folder. Files are
// looked up in the configuration folder first and in the application folder
// when only that one has them; saving always writes the configuration folder.
class SettingsStore {
public:
    // The parts that belong to others, passed in by whoever wires the store.
    struct Hooks {
        // SaveEntries step 1: the database state (the session's SaveDatabase).
        std::function<void()> saveDatabase;
        // The current database folder in its symbolic form ("%", "%\DB" or the
        // folder) for DBPath; unset: the loaded DBPath is written back as it is.
        std::function<QString()> currentDatabaseFolder;
        // The set-up wizard, run at the end of Loadentries on a first run
        // (EmailSoftware absent or negative); it fills in what the user chose.
        std::function<void(Settings&)> SetUpWizard;
        // Opens the maker's home page; unset: the desktop's default browser.
        std::function<void(const QUrl&)> openUrl;
        // The clock of the site reminder; unset: the system clock.
        std::function<QDateTime()> now;
    };

    SettingsStore(const Folders& folders, Ui& ui, Logs& logs, Hooks hooks = {});

    // Fills s from the files. Lists whose file is missing keep their contents;
    // the group list is taken from Cats.txt only while s.Cats is empty, and is
    // {"default"} when nothing gave one. Keys that are missing or unreadable
    // get their defaults. Warns and keeps what was read on a failure; false then.
    bool Loadentries(Settings& s);

    // Saves the database state (hook), every list file and Settings.ini.
    // Warns on a failure and goes on with the next part; false then.
    bool SaveEntries(const Settings& s);

    static constexpr const char* kIniName = "Settings.ini";
    // The site reminder asks again after this many days.
    static constexpr int kReminderDays = 120;

private:
    void loadLists(Settings& s) const;
    bool saveLists(const Settings& s) const;
    bool saveIni(const Settings& s) const;
    void remindSiteVisit(Settings& s, IniFile& ini, const QString& iniPath) const;
    void runSetUpWizard(Settings& s) const;
    QDateTime now() const;

    const Folders& folders_;
    Ui& ui_;
    Logs& logs_;
    Hooks hooks_;
};
