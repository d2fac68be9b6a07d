#include "app/Session.h"
#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "mailings/ClockPause.h"
#include "mailings/ScheduleTable.h"
#include "mailings/ScheduledSending.h"
#include "mailings/SendRunLock.h"

#include <QThread>

namespace {

// For cron while the desktop program is closed: the lock keeps it from sending
// alongside the desktop's timer or another run.
int sendDue(CliCall& call)
{
    Session* session = call.openDatabase();
    if (!session)
        return 1;
    const QString folder = session->db.resolvedFolder();
    SendRunLock lock(folder);
    if (!lock.acquire(session->ui))
        return 1;
    ClockPause pause([](int ms) { QThread::msleep(ulong(ms)); });
    ScheduleTable schedules(session->db.database().connection());
    const int sent = SendDueSchedules({session->db.database().connection(), folder, session->settings,
                                       session->CreatedmMailSend(), session->ui, pause},
                                      schedules);
    call.out << "scheduled batches sent: " << sent << Qt::endl;
    return 0;
}

}  // namespace

CliCommand sendDueCommand()
{
    return {"send-due",
            "Sends every scheduled batch that is due (and resumes one left midway), with this home's settings.",
            {},
            {},
            sendDue};
}
