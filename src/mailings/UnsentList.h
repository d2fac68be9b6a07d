#pragma once

#include <QString>

class SendListTable;
class Ui;

// "Save Unsent List to File...": replaces the file by one address line per row
// the server has not accepted (waiting, cancelled or refused), in address order.
// A failure leaves the old file as it was and shows "An error was encountered
// exporting your list: " + the reason; false then.
bool SaveUnsentList(const SendListTable& table, const QString& path, Ui& ui);
