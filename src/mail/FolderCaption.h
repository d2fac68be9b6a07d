#pragma once

#include "mail/MailStore.h"

#include <QString>

// How a folder shows in the folder tree, and which captions can be picked.

// The folder's name, followed by "*" for a contacts folder.
QString folderCaption(const MailFolderNode& node);
// The caption without one trailing "*": the folder's name again.
QString stripasterisk(const QString& caption);

// The icon of a node: a store 0; contacts 2; calendar 1; deleted items 3; drafts 4;
// journal 5; notes 6; tasks 7; inbox 8; outbox 9; sent items 10; any other 11.
int FolderImageIndex(const QString& caption, bool isStore);
constexpr int kFolderImageCount = 12;

// Folders of calendars, journals, notes and tasks never hold the mail a setting
// names; contacts folders only where they are allowed.
bool isSupportedFolderCaption(const QString& caption, bool allowContacts);
