#pragma once

#include "mail/ImapStore.h"
#include "mail/MailStores.h"

struct Settings;
struct Folders;

// The stores the settings name: "Local Folders" (LocalMailFolder, else the
// application folder's "Mail/"), the IMAP account when IMAPHost is set (logged in
// as the profile), and "Contacts" (the application folder's "Contacts/").
MailStores mailStoresFor(const Settings& settings, const Folders& folders);

// Where "Local Folders" keeps its Maildir tree, ending in "/".
QString localFoldersRoot(const Settings& settings, const Folders& folders);
// The account of the "Servers" section, logged in as the profile.
ImapAccount imapAccountFrom(const Settings& settings);
