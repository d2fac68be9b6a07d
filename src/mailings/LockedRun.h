#pragma once

#include "mailings/MailingRun.h"

#include <functional>

struct MailingServices;

// What every send to the list from a window goes through: the connection question,
// the folder's send lock and the send log's "Commencing Send"; then the work, with
// send errors shown. Not started when the question or the lock stops it.
RunSummary RunUnderSendLock(const MailingServices& services, int method,
                            const std::function<RunSummary(MailingRun&)>& work);
