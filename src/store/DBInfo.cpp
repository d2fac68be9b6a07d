#include "store/DBInfo.h"

#include "base/Folders.h"
#include "settings/IniFile.h"
#include "util/TextFiles.h"

#include <QFileInfo>

namespace {
const QString kSection = "Information";

QString infoFile(const QString& folder)
{
    return folderWithSlash(folder) + DBInfo::fileName();
}
}  // namespace

bool DBInfo::existsIn(const QString& folder)
{
    return QFileInfo::exists(infoFile(folder));
}

DBInfo DBInfo::read(const QString& folder)
{
    IniFile ini;
    DBInfo info;
    if (!ini.load(infoFile(folder)))
        return info;
    info.Records = ini.value(kSection, "Records").value_or(QString()).trimmed().toLongLong();
    info.DatabaseName = ini.value(kSection, "DatabaseName").value_or(QString()).trimmed();
    info.Groups = ini.value(kSection, "Groups").value_or(QString()).trimmed().toLongLong();
    return info;
}

bool DBInfo::write(const QString& folder, QString* failure) const
{
    // Loading first keeps any key another version wrote into the file.
    const QString file = infoFile(folder);
    IniFile ini;
    ini.load(file);
    ini.setValue(kSection, "Records", QString::number(Records));
    ini.setValue(kSection, "DatabaseName", DatabaseName);
    ini.setValue(kSection, "Groups", QString::number(Groups));
    QString reason;
    if (ini.save(file, &reason))
        return true;
    if (failure)
        *failure = cannotWriteText(file, reason);
    return false;
}
