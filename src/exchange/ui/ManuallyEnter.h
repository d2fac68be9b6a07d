#pragma once

#include "exchange/ImportHooks.h"

#include <QString>

class QWidget;

// "Manually Enter Entries...": the address-processing dialog, shown modally, with
// pasted already in its text box when given (Ctrl+V hands in the clipboard's text).
// True when it was closed with OK. The database is flushed when it closes.
bool ManuallyEnter(QWidget* parent, const ListContext& ctx, const ImportHooks& hooks, const QString& pasted = {});
