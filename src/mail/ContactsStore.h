#pragma once

#include "mail/MailStore.h"

#include <QString>
#include <memory>

// "Contacts": every *.vcf file in folder is a contacts folder named after the
// file (without ".vcf"); its message count is its number of cards.
std::unique_ptr<MailStore> openContactsStore(const QString& folder);
