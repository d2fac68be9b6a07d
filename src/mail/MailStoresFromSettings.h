#pragma once

#include "mail/MailStores.h"

struct Settings;
struct Folders;

// The stores the settings name: "Local Folders" (LocalMailFolder, else the
// application folder's "Mail/"), the IMAP account when IMAPHost is set (logged in
// as the profile), and "Contacts" (the application folder's "Contacts/").
MailStores mailStoresFor(const Settings& settings, const Folders& folders);
