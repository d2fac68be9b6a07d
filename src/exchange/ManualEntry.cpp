#include "exchange/ManualEntry.h"

#include "settings/Settings.h"

#include <QRegularExpression>

QStringList enteredLines(const QString& text)
{
    if (text.isEmpty())
        return {};
    static const QRegularExpression lineBreak(QStringLiteral("\r\n|\n|\r"));
    QStringList lines = text.split(lineBreak);
    if (lines.last().isEmpty())
        lines.removeLast();
    return lines;
}

QString enterCountText(int lineCount)
{
    return "How should these " + (lineCount > 0 ? QString::number(lineCount) : QString()) +
           " addresses be processed?";
}

ImportResult processEnteredLines(const ImportHooks& hooks, const Settings& settings, const QStringList& lines,
                                 const EnterChoice& choice, ImportReport& report)
{
    ImportOptions options;
    options.acknowledge = settings.AckManualEntries;
    options.showCompletion = false;
    options.note = kManualEntryNote;
    const bool removing = choice.action == EnterAction::Remove;
    const QString group = !removing ? choice.addGroup : choice.allGroups ? QString() : choice.removeGroup;
    return hooks.importLines(lines, choice.action == EnterAction::Add, options, QStringLiteral(","), false, group,
                             choice.action == EnterAction::Undeliverable, report);
}
