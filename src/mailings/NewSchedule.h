#pragma once

#include <QDateTime>
#include <optional>

class ScheduleTable;
class Ui;
struct ScheduleRow;
struct ScheduleSettings;

// CheckSchedSend's storing of the message: message holds the fields of the
// message and its recipient table (Subject, Body, HTML, Customized, Attachments,
// SendType, RecipientTotal, SendTableFile); it is added as a schedule created now,
// nothing sent yet, with the dialog's choices. All of it is stored or none: a
// failure warns "An error was encountered sending your scheduled messages: \r\n"
// + the error and gives nullopt. Else the new schedule's Index.
std::optional<int> StoreNewSchedule(ScheduleTable& table, ScheduleRow message, const ScheduleSettings& settings,
                                    const QDateTime& now, Ui& ui);
