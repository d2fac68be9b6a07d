#include "support/ScriptedUi.h"

namespace {

// Moves the first answer out; copying an optional<QString> out of the queue makes
// GCC's optimiser warn about an uninitialised value.
template <typename T>
T takeFront(std::deque<T>& queue)
{
    T value = std::move(queue.front());
    queue.pop_front();
    return value;
}

}  // namespace

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
    return takeFront(inputs);
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
    return takeFront(chosenFolders);
}

std::optional<QString> ScriptedUi::chooseGroup(const QString& heading, const QStringList& groups,
                                               const QString&,
                                               const std::function<bool(QString&)>& accept)
{
    shown.push_back({Icon::Confirmation, Buttons::OkCancel, heading});
    groupChoiceLists << groups.join(",");
    while (!chosenGroups.empty()) {
        auto typed = takeFront(chosenGroups);
        if (!typed)
            return std::nullopt;
        QString text = *typed;
        if (accept(text))
            return text;
    }
    ++unanswered;
    return std::nullopt;
}

std::optional<Ui::AddressChange> ScriptedUi::askAddressChange(const QString&, const QString&,
                                                              bool showIgnoreRules)
{
    shown.push_back({Icon::Confirmation, Buttons::OkCancel, "Update E-mail Address"});
    ignoreRulesShown << showIgnoreRules;
    if (addressChanges.empty()) {
        ++unanswered;
        return std::nullopt;
    }
    return takeFront(addressChanges);
}

Ui::SendErrorChoice ScriptedUi::showSendError(const QString& text, bool& hideFurther,
                                              const std::function<bool()>& confirmAbort,
                                              const std::function<void()>&)
{
    sendErrors << text;
    if (sendErrorAnswers.empty())
        return SendErrorChoice::Ok;
    const SendErrorAnswer a = sendErrorAnswers.front();
    sendErrorAnswers.pop_front();
    hideFurther = a.hideFurther;
    if (a.choice == SendErrorChoice::Abort && confirmAbort())
        return SendErrorChoice::Abort;
    return SendErrorChoice::Ok;
}
