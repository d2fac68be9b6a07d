#include "mailings/NewSchedule.h"

#include "base/Ui.h"
#include "mailings/ScheduleSettings.h"
#include "mailings/ScheduleTable.h"
#include "store/Database.h"

#include <stdexcept>

std::optional<int> StoreNewSchedule(ScheduleTable& table, ScheduleRow message, const ScheduleSettings& settings,
                                    const QDateTime& now, Ui& ui)
{
    try {
        // A schedule whose choices could not be saved would wait without a date forever.
        Transaction transaction(table.connection());
        message.StartDate = now;
        message.RecipientSent = 0;
        message.Status = ScheduleStatus::NotStarted;
        message.Index = table.append(message);
        if (!SaveScheduleSettings(table, message, settings, now, false, ui))
            throw std::runtime_error("Error saving schedule settings");
        transaction.commit();
        return message.Index;
    } catch (const std::exception& error) {
        ui.warn("An error was encountered sending your scheduled messages: \r\n" + QString::fromUtf8(error.what()));
        return std::nullopt;
    }
}
