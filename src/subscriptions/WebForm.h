#pragma once

#include "subscriptions/ContactRecord.h"

#include <QString>
#include <QStringList>

struct ListContext;
struct Settings;
struct CurrentMessage;

// What a web-form message holds, by the prefixes of the web-form grid.
struct WebFormValues {
    QString action;
    QString email;
    QString group;
    QString name;
    TCVNAddress contact;
    QString error;  // why nothing can be inserted; empty when the form can be used

    // Add unless the action asks to remove ("REMO" or "UN" in it, any case).
    bool add() const;
};

// Reads the lines after line 0 (the subject): for each prefix, in grid order, the
// text after its first occurrence in a line, trimmed; a later line wins.
WebFormValues readWebForm(const Settings& settings, const QStringList& lines);

// Inserts or removes the form's address with its contact fields, name and group.
// Errors are logged as "Processing Form Message Error:" + text. True when the
// form held an e-mail address, also after an error.
bool ProcessForm(const ListContext& ctx, const CurrentMessage& message);
