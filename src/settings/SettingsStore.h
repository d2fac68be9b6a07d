#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
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
    // Warns on a failure, naming the file and the reason, and goes on with the
    // next part; false then. A Settings.ini that exists but cannot be read is not
    // written over.
    bool SaveEntries(const Settings& s);

    // Database/DBPath alone, the rest of Settings.ini as it is; warns like
    // SaveEntries and returns false when it cannot be saved.
    bool SaveDatabasePath(const QString& folder);

    static constexpr const char* kIniName = "Settings.ini";
    // The site reminder asks again after this many days.
    static constexpr int kReminderDays = 120;

private:
    void loadLists(Settings& s) const;
    // What could not be saved, one line each naming the file and the reason.
    QStringList saveLists(const Settings& s) const;
    // Empty when saved; else what went wrong, naming the file and the reason.
    QString saveIni(const Settings& s) const;
    // Settings.ini as read (from where it is found), changed, then written into
    // the configuration folder; the failure as saveIni gives it.
    QString updateIni(const std::function<void(IniFile&)>& change) const;
    // Settings.ini as found at path. A file that holds no settings is kept aside
    // (as Settings.ini.bad, -2, ...; the user is told) and ini is left empty, so a
    // fresh file takes its place. False, with *failure, when the file can be
    // neither read nor kept aside: it must not be written over then.
    bool readIni(const QString& path, IniFile& ini, QString* failure) const;
    void remindSiteVisit(Settings& s, IniFile& ini, const QString& iniPath) const;
    void runSetUpWizard(Settings& s) const;
    QDateTime now() const;

    const Folders& folders_;
    Ui& ui_;
    Logs& logs_;
    Hooks hooks_;
};
