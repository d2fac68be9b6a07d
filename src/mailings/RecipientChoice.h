#pragma once

#include <QString>

// Which entries a run sends to.
enum class RecipientChoice {
    All,        // "Send to all entries in the mailing list"
    Selection,  // the main window's current group or search view
    Custom,     // the addresses the person typed, pasted or loaded
};

// How the count line and the send log name the recipients: "Manually Entered
// Contacts", "All Database Contacts", else the main window's view description.
QString RecipientsDescription(RecipientChoice choice, const QString& viewDescription);
