#include "base/MachineBoot.h"

#include <QFile>
#include <QSysInfo>

QString machineBootId()
{
    QFile id(QStringLiteral("/proc/sys/kernel/random/boot_id"));
    if (!id.open(QIODevice::ReadOnly))
        return {};
    const QString boot = QString::fromLatin1(id.readAll().trimmed());
    // A folder shared by several machines: another machine's cache is not ours.
    return boot.isEmpty() ? QString() : QSysInfo::machineHostName() + '/' + boot;
}
