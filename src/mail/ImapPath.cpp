#include "mail/ImapPath.h"

#include <vmime/charset.hpp>

vmime::net::folder::path imapPath(const QStringList& names)
{
    vmime::net::folder::path path;
    for (const QString& name : names)
        path /= vmime::net::folder::path::component(name.toStdString(),
                                                    vmime::charset(vmime::charsets::UTF_8));
    return path;
}

QStringList folderNames(const vmime::net::folder::path& path)
{
    QStringList names;
    for (size_t step = 0; step < path.getSize(); ++step)
        names << QString::fromStdString(
            path[step].getConvertedText(vmime::charset(vmime::charsets::UTF_8)));
    return names;
}
