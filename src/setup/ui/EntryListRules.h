#pragma once

#include <QString>
#include <QStringList>

class Ui;

// How the items of one text list of the options are kept.
struct EntryListForm {
    bool lowerCase = false;
    bool noCommas = false;
    bool noSpaces = false;
    bool upperCase = false;
};

// The list the typed lines make: trimmed, empty lines dropped, sorted and each
// item once (letter case aside, as the lists are compared). A comma or a blank the
// list cannot hold is asked about: OK turns it into "_", Cancel drops the line.
QStringList EditedEntries(Ui& ui, const QStringList& lines, const EntryListForm& form);
