#include "exchange/BackUpFile.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/TdmML.h"
#include "util/FileRoutines.h"

namespace {

// The option's name with "/" between folders, when its folder is there to write in.
QString configuredName(const QString& configured)
{
    const QString name = QString(configured.trimmed()).replace('\\', '/');
    const qsizetype slash = name.lastIndexOf('/');
    if (slash < 0 || slash == name.size() - 1 || !FolderExists(name.left(slash + 1)))
        return {};
    return name;
}

}  // namespace

QString backUpFileName(const Settings& settings, const QString& databaseFolder)
{
    QString name = configuredName(settings.BackUpFilename);
    if (name.isEmpty())
        name = AddSlash(databaseFolder) + "backup.csv";
    return settings.newbackupfilename ? UniqueFileName(name, " ") : name;
}

bool SaveBackUpFile(TdmML& db, const Settings& settings, Ui& ui, bool report, const ExportHooks& hooks)
{
    const QString fileName = backUpFileName(settings, db.resolvedFolder());
    if (!db.isOpen() || fileName.isEmpty()) {
        ui.warn("Unable to write to the file, " + (fileName.isEmpty() ? settings.BackUpFilename : fileName));
        return false;
    }
    ExportColumnFlags everyColumn;
    everyColumn.fill(true);
    const ExportContext context{db.database().entries(), ui, hooks};
    if (!exportlist(context, fileName, {}, ",", true, everyColumn))
        return false;
    if (report)
        ui.inform("Your backup file has been saved as " + fileName + ".  You can view it with Excel or Notepad");
    return true;
}
