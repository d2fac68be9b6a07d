#pragma once

#include "mailings/MailingServices.h"

#include <QDateTime>

class ScheduleTable;

using ScheduleServices = MailingServices;

// SendScheduledMessage: the next batch of the schedule (its next SendCount
// recipients not yet sent, in address order, through its own recipient table) and
// the row's bookkeeping after it. A batch stopped midway before (status 9, its run
// notes saying so) is resumed instead of started again. The caller holds the
// folder's send lock. False when the batch did not run.
bool SendScheduledMessage(const ScheduleServices& services, ScheduleTable& schedules, int index,
                          const QDateTime& now);

// Every batch due now, one after another, as the timer would start them (for
// corvanel-cli send-due); batches left midway are resumed first. The number sent.
int SendDueSchedules(const ScheduleServices& services, ScheduleTable& schedules);
