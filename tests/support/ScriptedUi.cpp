#include "support/ScriptedUi.h"

QStringList ScriptedUi::texts() const
{
    QStringList out;
    for (const auto& s : shown)
        out << s.text;
    return out;
}

Ui::Answer ScriptedUi::message(Icon icon, const QString& text, Buttons buttons)
{
    shown.push_back({icon, buttons, text});
    if (buttons == Buttons::Ok)
        return Answer::Ok;
    if (answers.empty()) {
        ++unanswered;
        return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
    Answer a = answers.front();
    answers.pop_front();
    return a;
}

std::optional<QString> ScriptedUi::inputText(const QString& title, const QString& prompt,
                                             const QString&)
{
    shown.push_back({Icon::Confirmation, Buttons::OkCancel, title + ": " + prompt});
    if (inputs.empty()) {
        ++unanswered;
        return std::nullopt;
    }
    auto v = inputs.front();
    inputs.pop_front();
    return v;
}

void ScriptedUi::showProgress(const QString& caption, int, bool)
{
    progressCaptions << caption;
}

void ScriptedUi::setProgress(int position)
{
    progressPositions << position;
    if (cancelAt >= 0 && progressPositions.size() >= cancelAt)
        cancelled = true;
}

void ScriptedUi::setBusy(bool busy)
{
    busyDepth += busy ? 1 : -1;
    maxBusyDepth = std::max(maxBusyDepth, busyDepth);
}

std::optional<QString> ScriptedUi::chooseDatabaseFolder(const QString&)
{
    shown.push_back({Icon::Confirmation, Buttons::OkCancel, "Create/Open Mailing List Database"});
    if (chosenFolders.empty())
        return std::nullopt;
    auto v = chosenFolders.front();
    chosenFolders.pop_front();
    return v;
}
