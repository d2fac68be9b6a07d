#include "SettingsFixture.h"

#include "settings/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

SettingsFixture::SettingsFixture()
    : folders(Folders::forApplication(dir.path())),
      logs(logSettings.logSwitches(), folders.application, [] { return QString(); })
{
    logSettings.DebugLogging = true;
}

SettingsStore::Hooks SettingsFixture::hooks()
{
    SettingsStore::Hooks h;
    h.saveDatabase = [this] { ++databaseSaves; };
    if (!symbolicDatabase.isEmpty())
        h.currentDatabaseFolder = [this] { return symbolicDatabase; };
    h.SetUpWizard = [this](Settings& s) {
        ++wizardRuns;
        s.EmailSoftware = wizardChoice;
    };
    h.openUrl = [this](const QUrl& url) { opened << url; };
    h.now = [this] { return clock; };
    return h;
}

SettingsStore& SettingsFixture::store()
{
    if (!store_)
        store_ = std::make_unique<SettingsStore>(folders, ui, logs, hooks());
    return *store_;
}

Settings SettingsFixture::loaded()
{
    Settings s;
    store().Loadentries(s);
    return s;
}

void SettingsFixture::writeFile(const QString& path, const QByteArray& bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    f.write(bytes);
}

QByteArray SettingsFixture::readFile(const QString& path) const
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

std::optional<QString> SettingsFixture::savedValue(const QString& section, const QString& key) const
{
    IniFile ini;
    ini.parse(QString::fromUtf8(readFile(configIni())).split('\n'));
    return ini.value(section, key);
}

QStringList SettingsFixture::debugLines() const
{
    const QStringList lines = QString::fromUtf8(readFile(folders.application + "Debuglog.txt"))
                                  .split('\n', Qt::SkipEmptyParts);
    QStringList out;
    for (const QString& line : lines) {
        const qsizetype at = line.indexOf("DEBUG: ");
        if (at >= 0)
            out << line.mid(at);
    }
    return out;
}
