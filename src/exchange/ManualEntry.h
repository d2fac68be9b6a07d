#pragma once

#include "exchange/ImportHooks.h"

#include <QString>
#include <QStringList>

struct Settings;

// What the address-processing dialog does with its lines.
enum class EnterAction { Add, Remove, Undeliverable };

struct EnterChoice {
    EnterAction action = EnterAction::Add;
    QString addGroup;
    bool allGroups = true;  // when removing: from every group, else from removeGroup
    QString removeGroup;
};

inline const QString kManualEntryNote = QStringLiteral("Manual insertion of addresses");

// The lines of the text box as the dialog counts them: a final line break adds no
// empty line, so an empty box has none.
QStringList enteredLines(const QString& text);

// "How should these 3 addresses be processed?"; with no lines the number is left
// out and the two spaces around it stand together.
QString enterCountText(int lineCount);

// The lines through Importfile as the dialog hands them in: no completion message,
// no field splitting, the acknowledgement as the options say; the group is the add
// group when adding (the bounce handling ignores it), empty for all groups or the
// removal group when removing.
ImportResult processEnteredLines(const ImportHooks& hooks, const Settings& settings, const QStringList& lines,
                                 const EnterChoice& choice, ImportReport& report);
