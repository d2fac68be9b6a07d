#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

// The only way the core reaches a person. The desktop program answers with
// widgets, the command line on the console, and tests from a script, so every
// flow can be driven and checked without a window.
class Ui {
public:
    enum class Icon { Information, Warning, Error, Confirmation };
    enum class Buttons { Ok, OkCancel, YesNo, YesNoCancel };
    enum class Answer { Ok, Cancel, Yes, No };

    virtual ~Ui() = default;

    // A modal message box; returns the button pressed (Ok for a plain notice).
    virtual Answer message(Icon icon, const QString& text, Buttons buttons = Buttons::Ok) = 0;

    // An input box; nullopt when cancelled.
    virtual std::optional<QString> inputText(const QString& title, const QString& prompt,
                                             const QString& value = {}) = 0;

    // The main window's progress display. A total of 1 is never shown.
    virtual void showProgress(const QString& caption, int total, bool cancellable) = 0;
    virtual void setProgress(int position) = 0;
    // A new caption for the display already shown, as a loop moves from item to item;
    // where captions are printed, not shown, only the first is worth printing.
    virtual void setProgressText(const QString& /*caption*/) {}
    virtual void hideProgress() = 0;
    // Long loops read this every few items; the display's Cancel sets it.
    virtual bool cancelRequested() = 0;
    virtual void resetCancel() = 0;
    // Lets pending window events through during long work.
    virtual void processEvents() = 0;

    // The wait cursor; calls nest.
    virtual void setBusy(bool busy) = 0;

    // The open-database dialog (TdlgOpenDB); nullopt when cancelled.
    virtual std::optional<QString> chooseDatabaseFolder(const QString& current) = 0;

    // The splash window, where there is one.
    virtual void hideSplash() {}

    // The group chooser (TdlgChooseCategory, "Choose Group"): the heading, the group
    // list and the initial text. accept runs on OK and may correct the text; while it
    // refuses, the chooser stays open. nullopt when cancelled; cancelled where there
    // is no chooser.
    virtual std::optional<QString> chooseGroup(const QString& /*heading*/,
                                               const QStringList& /*groups*/,
                                               const QString& /*initial*/,
                                               const std::function<bool(QString& group)>& /*accept*/)
    {
        return std::nullopt;
    }

    // The "Update E-mail Address" dialog (TdlgChangeAddress); its "Ignore All Rules"
    // box only when showIgnoreRules. nullopt when cancelled. Where there is no such
    // dialog the new address is asked for with an input box.
    struct AddressChange {
        QString oldAddress;
        QString newAddress;
        bool ignoreRules = false;
    };
    virtual std::optional<AddressChange> askAddressChange(const QString& oldAddress,
                                                          const QString& newAddress,
                                                          bool /*showIgnoreRules*/)
    {
        const auto typed = inputText("Update E-mail Address", "New e-mail address for " + oldAddress,
                                     newAddress);
        if (!typed)
            return std::nullopt;
        return AddressChange{oldAddress, *typed, false};
    }

    // The sender-retrieval dialog (TdlgSenderMethod, "Error retrieving Sender
    // Address"): "Change Method", "Do not Change" or "Cancel Processing", and its box
    // "Always display error when cannot retrieve a sender address" (alwaysShow, in
    // and out). Where there is no such dialog it is a Yes/No question: Yes changes.
    enum class SenderChoice { ChangeMethod, DoNotChange, CancelProcessing };
    virtual SenderChoice askSenderMethod(const QString& text, bool& /*alwaysShow*/)
    {
        return askYesNo(text, Icon::Warning) ? SenderChoice::ChangeMethod : SenderChoice::DoNotChange;
    }

    // The "Sending Error" dialog (TdlgSendError): OK, or Abort once confirmAbort
    // agrees; its box "Do not show further errors" (hideFurther, in and out); the
    // "Show Recipients" button runs showRecipients, and is off without it. Where
    // there is no such dialog the text is a warning and the answer OK.
    enum class SendErrorChoice { Ok, Abort };
    virtual SendErrorChoice showSendError(const QString& text, bool& /*hideFurther*/,
                                          const std::function<bool()>& /*confirmAbort*/,
                                          const std::function<void()>& /*showRecipients*/)
    {
        warn(text);
        return SendErrorChoice::Ok;
    }

    void inform(const QString& text) { message(Icon::Information, text); }
    void warn(const QString& text) { message(Icon::Warning, text); }
    bool askYesNo(const QString& text, Icon icon = Icon::Confirmation)
    {
        return message(icon, text, Buttons::YesNo) == Answer::Yes;
    }
    bool askOkCancel(const QString& text, Icon icon = Icon::Confirmation)
    {
        return message(icon, text, Buttons::OkCancel) == Answer::Ok;
    }
};

// Holds the wait cursor for a scope, so every path restores it.
class BusyCursor {
public:
    explicit BusyCursor(Ui& ui) : ui_(ui) { ui_.setBusy(true); }
    ~BusyCursor() { ui_.setBusy(false); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

private:
    Ui& ui_;
};
