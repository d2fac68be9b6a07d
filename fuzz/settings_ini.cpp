// Any Settings.ini loads without harm, and what the program then saves reads back
// as the same settings: a second save writes the same file.
#include "FuzzSupport.h"
#include "base/Folders.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "settings/SettingsStore.h"

#include <QDir>
#include <QFile>

namespace {
struct Home {
    FuzzScratch scratch;
    Folders folders = Folders::forApplication(scratch.dir.path());
    Settings logSettings;
    Logs logs{logSettings.logSwitches(), folders.application, [] { return QString(); }};
    SettingsStore store{folders, scratch.ui, logs, hooks()};

    static SettingsStore::Hooks hooks()
    {
        SettingsStore::Hooks h;
        h.saveDatabase = [] {};
        h.SetUpWizard = [](Settings& s) { s.EmailSoftware = 1; };
        h.openUrl = [](const QUrl&) {};
        h.now = [] { return QDateTime(QDate(2026, 12, 9), QTime(12, 0)); };
        return h;
    }
    QString ini() const { return folders.config + SettingsStore::kIniName; }
    QByteArray saved()
    {
        Settings s;
        store.Loadentries(s);
        store.SaveEntries(s);
        QFile file(ini());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static Home home;
    home.scratch.forget();
    // Kept copies of unreadable files would pile up over millions of inputs.
    for (const QString& name : QDir(home.folders.config).entryList({"Settings.ini.*"}, QDir::Files))
        QFile::remove(home.folders.config + name);
    QFile file(home.ini());
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        std::abort();
    file.write(fuzzBytes(data, size));
    file.close();
    const QByteArray first = home.saved();
    FUZZ_REQUIRE(home.saved() == first);
    return 0;
}
