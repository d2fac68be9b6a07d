#pragma once

#include "mail/MailStore.h"

#include <QString>
#include <memory>

// "Local Folders": a tree of Maildirs under root. A folder is a directory holding
// cur/, new/ and tmp/; its sub-folders are its other sub-directories. The Inbox
// is made when missing.
std::unique_ptr<MailStore> openMaildirStore(const QString& name, const QString& root);
