#include "store/TdmML.h"

#include "base/Folders.h"
#include "base/Ui.h"
#include "settings/IniFile.h"
#include "settings/Settings.h"
#include "store/DBInfo.h"
#include "store/DatabaseFolder.h"
#include "store/EntriesTable.h"
#include "store/FormatUpgrade.h"
#include "util/TextFiles.h"
#include "util/TextRoutines.h"

#include <QDir>

namespace {

const QString kCatsFile = "Cats.txt";

QString exceptionText(const std::exception& e)
{
    return QString::fromStdString(e.what());
}

// Cats.txt as it is named in the folder (a copy from Windows may differ in case).
QString catsFileIn(const QString& folder)
{
    const QString found = Database::findFile(folder, kCatsFile);
    return found.isEmpty() ? folder + kCatsFile : found;
}

}  // namespace

TdmML::TdmML(const Folders& folders, Settings& settings, Logs& logs, Ui& ui)
    : folders_(folders), settings_(settings), logs_(logs), ui_(ui)
{
}

QString TdmML::resolveFolder(const QString& configured) const
{
    return resolveDatabaseFolder(configured, folders_);
}

QString TdmML::symbolicFolder(const QString& folder) const
{
    return symbolicDatabaseFolder(folder, folders_);
}

bool TdmML::databaseexistsindirectory(const QString& folder) const
{
    return ::databaseexistsindirectory(folder);
}

QString TdmML::GetDBName(const QString& folder)
{
    return DBInfo::read(folder).DatabaseName;
}

QString TdmML::resolvedFolder() const
{
    return resolveFolder(currentFolder_);
}

void TdmML::create()
{
    try {
        recent_.load(folders_.settingsFile("recent.txt", true));
        recent_.UpdateRecentList(false);
    } catch (const std::exception&) {
        // A bad recent list only costs the menu.
    }
    try {
        readDatabaseSettings();
    } catch (const std::exception&) {
        // The defaults of the settings stay.
    }
    QString configured = settings_.DBPath.trimmed();
    // Symbolic, not the folder's path: a path is read back as settings text is, with
    // "\" taken for "/", and on Linux a "\" may be part of the home's name.
    if (configured.isEmpty())
        configured = ::databaseexistsindirectory(folders_.application) ? QStringLiteral("%")
                                                                       : QStringLiteral("%\\DB");
    try {
        OpenDatabase(configured);
        if (!open_)
            PromptToLoadDB();
    } catch (const std::exception& e) {
        ui_.hideSplash();
        ui_.warn("An error was encountered opening your database: \n\n" + exceptionText(e));
    }
}

void TdmML::readDatabaseSettings()
{
    // The settings store reads the whole file later; the folder is needed first.
    IniFile ini;
    if (!ini.load(folders_.settingsFile("Settings.ini", true)))
        return;
    const auto flag = [&](const char* key) {
        return TextToBool(ini.value("Database", key).value_or(QString()).trimmed(), false);
    };
    settings_.DBPath = ini.value("Database", "DBPath").value_or(QString());
    settings_.StrictChangeDetection = flag("StrictChangeDetection");
    settings_.DBIsExclusive = flag("DBIsExclusive");
}

bool TdmML::PromptToLoadDB()
{
    const auto chosen = ui_.chooseDatabaseFolder(resolvedFolder());
    if (!chosen || chosen->trimmed().isEmpty())
        return false;
    OpenDatabase(*chosen);
    return true;
}

bool TdmML::OpenDatabase(const QString& folder)
{
    BusyCursor busy(ui_);
    const QString resolved = resolveFolder(folder);
    const QString previous = open_ ? resolvedFolder() : QString();
    if (openOrOffer(folder, resolved))
        return true;
    // The attempt closed the tables of the database that was open (a locked table,
    // a declined or failed repair or upgrade): the session goes on with that one.
    if (!open_ && !previous.isEmpty() && previous != resolved) {
        open_ = true;
        QDir::setCurrent(previous);
        reopenTables();
    }
    return false;
}

bool TdmML::openOrOffer(const QString& folder, const QString& resolved)
{
    // A repair or an upgrade is followed by one fresh attempt: a folder that still
    // fails after it would only fail again.
    bool recovered = false;
    for (;;) {
        // The application folder is the same for both lookups here (the fixed
        // program folder substitution is made once, when the folders are located).
        QDir::setCurrent(resolved);
        if (!::databaseexistsindirectory(resolved) && !offerNewDatabase(resolved))
            return false;
        QString failure;
        try {
            openIn(resolved);
            recent_.AddPathToRecent(resolved);
            currentFolder_ = isSymbolicDatabaseFolder(folder) ? folder.trimmed() : resolved;
            open_ = true;
            return true;
        } catch (const StoreError& e) {
            if (e.kind() == StoreError::Kind::Locked) {
                warnTableInUse();
                return false;
            }
            failure = e.text();
        } catch (const std::exception& e) {
            failure = exceptionText(e);
        }
        if (recovered) {
            ui_.hideSplash();
            ui_.warn("An error was encountered opening your database: \n\n" + failure);
            return false;
        }
        if (!offerRecovery(resolved, failure))
            return false;
        recovered = true;
    }
}

void TdmML::warnTableInUse()
{
    ui_.hideSplash();
    ui_.warn("Cannot open your mailing list database, another user has the table open "
             "already.  If you want to be able to share your database, check the "
             "Database Sharing setting in Options on all your copies of Corvanel.");
}

bool TdmML::offerNewDatabase(const QString& folder)
{
    ui_.hideSplash();
    if (!ui_.askYesNo("A database cannot be located in the directory, " + folder +
                      ". Do you want to create a database here?"))
        return false;
    QDir().mkpath(folder);
    Database::createMissingTables(folder, TableScope::All);
    return true;
}

void TdmML::openIn(const QString& folder)
{
    open_ = false;
    if (!Database::exists(folder, TableId::Statistics))
        Database::createMissingTables(folder, TableScope::StatisticsOnly);
    database_.close();
    database_.setFolder(folder, settings_.DBIsExclusive, settings_.StrictChangeDetection);
    if (!QDir::setCurrent(folder))
        throw std::runtime_error(("Cannot change to the folder " + folder).toStdString());
    openTables(folder);
    loadFolderState(folder);
}

void TdmML::loadFolderState(const QString& folder)
{
    const DBInfo info = DBInfo::read(folder);
    // DBInfo's count goes wrong for good after a crash between a commit and its
    // write, or rows written by another copy or tool; the table's own count does not.
    recountEntries();
    databaseName_ = info.DatabaseName.isEmpty() ? QStringLiteral("Default Database") : info.DatabaseName;
    // Without a Cats.txt the group list of the previous database stays; the next
    // save writes it into this folder.
    if (!Database::findFile(folder, kCatsFile).isEmpty()) {
        QStringList groups;
        for (const QString& line : readTextLines(catsFileIn(folder)).value_or(QStringList())) {
            const QString group = line.trimmed().toLower();
            if (!group.isEmpty())
                groups << group;
        }
        settings_.Cats = groups;
    }
    if (groupsChanged)
        groupsChanged();
}

bool TdmML::offerRecovery(const QString& folder, const QString& error)
{
    ui_.hideSplash();
    if (Database::exists(folder, TableId::GroupStatistics)) {
        if (!ui_.askYesNo("An error was encountered trying to load the Corvanel database in the "
                          "folder, " + folder + ":" + "\n" + "\n" + error + "\n\n" +
                          "Do you want to attempt to perform a repair it?"))
            return false;
        return repairFolder(folder, false);
    }
    if (!ui_.askOkCancel("The folder, " + folder + ", appears to contain an older Corvanel "
                         "database.  This will be upgraded to v4 format."))
        return false;
    try {
        database_.close();
        upgradeOldDatabase(folder, ui_);
        return true;
    } catch (const std::exception& e) {
        ui_.warn("Error upgrading your table: " + exceptionText(e));
        return false;
    }
}

void TdmML::SaveDatabase()
{
    if (!open_)
        return;
    BusyCursor busy(ui_);
    if (entryCount_ != 0 && recordRefresh)
        recordRefresh();
    const QString folder = resolvedFolder();
    const QString cats = catsFileIn(folder);
    QString reason;
    if (!writeTextFileAtomically(cats, settings_.Cats, &reason))
        throw StoreError(StoreError::Kind::Other, 0,
                         "The group list of your database could not be saved.\n\n" +
                             cannotWriteText(cats, reason));
    const DBInfo info{entryCount_, databaseName_, settings_.Cats.size()};
    if (!info.write(folder, &reason))
        throw StoreError(StoreError::Kind::Other, 0,
                         "The details of your database could not be saved.\n\n" + reason);
    database_.flush();
}

void TdmML::recountEntries()
{
    entryCount_ = database_.entries().count();
}

bool TdmML::renameDatabase()
{
    const auto name =
        ui_.inputText("Database Name", "Enter the name for this database", databaseName_);
    if (!name)
        return false;
    databaseName_ = *name;
    return true;
}
