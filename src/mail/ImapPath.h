#pragma once

#include <QStringList>
#include <vmime/net/folder.hpp>

// A folder's names, one per step below the account, as vmime spells a path
// (it puts the server's hierarchy delimiter and the modified UTF-7 in between).
vmime::net::folder::path imapPath(const QStringList& names);
QStringList folderNames(const vmime::net::folder::path& path);
