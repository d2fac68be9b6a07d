#include "subscriptions/CheckPass.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "mail/FolderNavigation.h"
#include "mail/MailErrors.h"
#include "mail/MailMessage.h"
#include "mail/MailStores.h"
#include "settings/Settings.h"
#include "store/CheckJournal.h"
#include "store/Database.h"
#include "store/StoreError.h"
#include "store/TdmML.h"
#include "subscriptions/Classification.h"
#include "subscriptions/CurrentMessage.h"
#include "subscriptions/ListContext.h"
#include "subscriptions/MessageFields.h"
#include "subscriptions/SenderRetrieval.h"

#include <QDir>
#include <optional>

namespace {

// One durable commit costs about 10 ms here; a hundred messages share one.
constexpr int kBatchSize = 100;
constexpr int kEventsEvery = 20;
constexpr int kJournalDays = 7;

const QString kAccessError = "An error was encountered accessing your Mail Software: ";

class Pass {
public:
    Pass(const ListContext& ctx, const MailStores& stores, const CheckHooks& hooks, bool listChanges,
         bool userEmails, CheckCounts& counts)
        : ctx_(ctx), stores_(stores), hooks_(hooks), counts_(counts), journal_(ctx.db.database()),
          senders_(ctx.settings, ctx.logs, ctx.ui)
    {
        // Acknowledgements wait in the outbox, queued with the change they report.
        ctx_.SendAcknowledgement = [this](const QString& address, const QString& result, bool subscribe) {
            if (subscribe ? ctx_.settings.SubAcknowledgement : ctx_.settings.UnsubAcknowledgement)
                journal_.queue(subscribe ? "SubAck" : "UnsubAck", address, result, QDateTime::currentDateTime());
        };
        message_.chkScanListChanges = listChanges;
        message_.chkScanUserEmails = userEmails;
    }

    bool run();

private:
    bool defaultInboxOnly() const { return ctx_.settings.RetrieveMethod == 1; }
    bool markingRead() const { return ctx_.settings.AfterProcess.compare("MarkRead", Qt::CaseInsensitive) == 0; }
    bool moving() const
    {
        return !defaultInboxOnly() && ctx_.settings.AfterProcess.compare("Move", Qt::CaseInsensitive) == 0;
    }

    bool connectStoreOf(const QString& folderPath);
    std::unique_ptr<MailFolder> openFolder(const QString& path);
    bool openMoveFolder();
    QList<MessageListing> messagesToLookAt();
    void walk();
    void lookAt(const MessageListing& item);
    bool act(const MailMessage& mail);
    void commitTransaction();
    void commitBatch();
    void dispose(const MessageKey& key);

    ListContext ctx_;
    const MailStores& stores_;
    const CheckHooks& hooks_;
    CheckCounts& counts_;
    CheckJournal journal_;
    SenderRetrieval senders_;
    CurrentMessage message_;
    std::unique_ptr<CheckWindow> window_;
    std::unique_ptr<MailFolder> folder_;
    std::unique_ptr<MailFolder> moveFolder_;
    std::optional<Transaction> batch_;
    ListCounts batchStart_;
    QList<MessageKey> toDispose_;
    int lookedAtInBatch_ = 0;
};

bool Pass::connectStoreOf(const QString& folderPath)
{
    MailStore* store = stores_.store(splitFolderPath(folderPath).value(0));
    if (!store)
        return true;  // the navigation names the missing step
    try {
        store->connect();
        return true;
    } catch (const MailError& e) {
        if (defaultInboxOnly()) {
            ctx_.ui.warn("Error encountered logging onto your E-mail Software.  Error Code: 00000003.");
            ctx_.logs.debug("ProcessOLE", "Logon failed: " + mailErrorText(e));
            return false;
        }
        ctx_.ui.warn(logonErrorText(e));
        return true;
    }
}

std::unique_ptr<MailFolder> Pass::openFolder(const QString& path)
{
    QString lastName;
    std::unique_ptr<MailFolder> folder = NavigateToOLFolder(stores_, path, ctx_.ui, lastName);
    if (folder)
        ctx_.logs.debug("ProcessOLE", "Navigated to " + lastName);
    return folder;
}

bool Pass::openMoveFolder()
{
    QString path = ctx_.settings.MoveFolder;
    if (!moving() || path.isEmpty())
        return true;
    for (int attempt = 0; attempt < 2; ++attempt) {
        connectStoreOf(path);
        if ((moveFolder_ = openFolder(path)))
            return true;
        if (attempt > 0 || !ctx_.ui.askYesNo("CVN was unable to locate the folder you specified to move processed "
                                             "messages to, " + path + ".\n\nDo you want to specify a new folder now?"))
            break;
        const QString chosen = hooks_.chooseMoveFolder ? hooks_.chooseMoveFolder() : QString();
        if (chosen.isEmpty())
            break;
        ctx_.settings.MoveFolder = path = chosen;
    }
    ctx_.ui.inform("The folder, " + path + ", cannot be found.");
    return false;
}

// Oldest first; with ChokeDownload = L only the newest L, so old messages left
// in the folder never keep new ones from being seen.
QList<MessageListing> Pass::messagesToLookAt()
{
    QList<MessageListing> all = folder_->list();
    const int limit = ctx_.settings.ChokeDownload;
    if (!defaultInboxOnly() && limit > 1 && limit < all.size())
        all = all.mid(all.size() - limit);
    ctx_.logs.debug("ProcessOLE", "Items in Folder: " + QString::number(all.size()));
    return all;
}

bool Pass::act(const MailMessage& mail)
{
    takeMessage(message_, mail, ctx_.settings, defaultInboxOnly() ? nullptr : &senders_,
                QDateTime::currentDateTime());
    window_->showMessage(message_);
    ctx_.logs.debug("ProcessOLE", "Sender is: " + message_.edtemail);

    if (message_.chkScanUserEmails && IsUserEmail(ctx_.settings, message_)) {
        message_.lbxAttach = saveAttachments(mail, QDir::tempPath());
        if (hooks_.forwardmailmessage && hooks_.forwardmailmessage(ctx_, message_)) {
            ctx_.logs.debug("ProcessOLE", "Message Forwarded");
            return true;
        }
        return false;
    }
    if (message_.chkScanListChanges && processEntry(ctx_, message_)) {
        ctx_.logs.debug("ProcessOLE", "Entry Processed");
        return true;
    }
    return false;
}

void Pass::lookAt(const MessageListing& item)
{
    const QString key = item.key.text();
    if (journal_.handled(key)) {
        // Handled by a run that stopped before it could dispose of the message.
        toDispose_ << item.key;
        ++counts_.actedOn;
        return;
    }
    const QByteArray bytes = folder_->fetch(item.key);  // a lost connection ends the pass
    if (defaultInboxOnly())
        folder_->markRead(item.key);
    const ListCounts before = ctx_.counts();
    try {
        const MailMessage mail = parseMailMessage(bytes);
        Transaction savepoint(ctx_.db.database().connection());
        const bool acted = act(mail);
        message_.mail = nullptr;
        if (acted)
            journal_.recordHandled(key, mail.messageId, QDateTime::currentDateTime());
        savepoint.commit();
        if (acted) {
            toDispose_ << item.key;
            ++counts_.actedOn;
        } else {
            ++counts_.left;
        }
    } catch (const std::exception& e) {
        // One message that cannot be processed must not block every later check.
        message_.mail = nullptr;
        ctx_.restoreCounts(before);
        ++counts_.failed;
        ctx_.logs.AddToLog("Error processing the entry, " + message_.edtsender + ": " + QString::fromUtf8(e.what()));
    }
}

void Pass::commitTransaction()
{
    if (!batch_)
        return;
    try {
        batch_->commit();
    } catch (const StoreError&) {
        batch_.reset();
        ctx_.restoreCounts(batchStart_);
        counts_.failed += int(toDispose_.size());
        counts_.actedOn -= int(toDispose_.size());
        toDispose_.clear();
        throw;
    }
    batch_.reset();
}

// Only what is committed is disposed of: a crash in between leaves the message,
// and the journal, for the next check.
void Pass::commitBatch()
{
    commitTransaction();
    if (!moving() && !markingRead()) {
        // One command for the batch: on IMAP a flag per message is a round trip each.
        try {
            folder_->remove(toDispose_);
        } catch (const MailError& e) {
            ctx_.logs.debug("DisposeMessage", mailErrorText(e));
        }
    } else {
        for (const MessageKey& key : std::as_const(toDispose_))
            dispose(key);
    }
    toDispose_.clear();
    lookedAtInBatch_ = 0;
}

// Moves or marks read; removal goes by the batch.
void Pass::dispose(const MessageKey& key)
{
    try {
        if (moving()) {
            if (moveFolder_)
                folder_->moveTo(key, *moveFolder_);
        } else if (!defaultInboxOnly()) {
            folder_->markRead(key);
        }
    } catch (const MailError& e) {
        // Journalled: the next check disposes of it without acting again.
        ctx_.logs.debug("DisposeMessage", mailErrorText(e));
    }
}

void Pass::walk()
{
    const QList<MessageListing> messages = messagesToLookAt();
    const int total = markingRead() ? folder_->unreadCount() : int(messages.size());
    int processed = 0;
    for (qsizetype i = 0; i < messages.size(); ++i) {
        if (i % kEventsEvery == 0) {
            ctx_.ui.processEvents();
            if (ctx_.ui.cancelRequested() || window_->cancelled() || senders_.cancelled())
                break;
            if (defaultInboxOnly() && hooks_.showStatus)
                hooks_.showStatus("Processing Entry number " + QString::number(i));
        }
        const MessageListing& item = messages[i];
        if (item.deleted || (markingRead() && item.seen))
            continue;
        ++processed;
        ++counts_.lookedAt;
        window_->setGauge(total > 0 ? processed * 100 / total : 100);
        if (!batch_) {
            batchStart_ = ctx_.counts();
            batch_.emplace(ctx_.db.database().connection());
        }
        lookAt(item);
        if (++lookedAtInBatch_ >= kBatchSize)
            commitBatch();
    }
    commitBatch();
}

bool Pass::run()
{
    ctx_.logs.debug("ProcessOLE", "Commence");
    BusyCursor busy(ctx_.ui);
    ctx_.ui.resetCancel();
    if (defaultInboxOnly())
        ctx_.logs.debug("ProcessOLE", "SMAPIRetrieve");
    const QString path = defaultInboxOnly()         ? stores_.defaultFolderPath()
                         : message_.chkScanListChanges ? ctx_.settings.MailingListFolder
                                                       : ctx_.settings.UserSendingFolder;
    if (!connectStoreOf(path))
        return false;
    folder_ = openFolder(path);
    if (!folder_) {
        ctx_.ui.inform("The folder, " + path + ", cannot be found.");
        return false;
    }
    if (!openMoveFolder())
        return false;

    const QString heading = defaultInboxOnly() ? "Accessing E-mail Software..." : "Accessing Mail Account Entries...";
    window_ = hooks_.openCheckWindow ? hooks_.openCheckWindow(heading) : progressCheckWindow(ctx_.ui, heading);
    bool finished = false;
    try {
        {
            Transaction prune(ctx_.db.database().connection());
            journal_.pruneHandled(QDateTime::currentDateTime().addDays(-kJournalDays));
            prune.commit();
        }
        walk();
        folder_->finish();
        finished = true;
        ctx_.logs.debug("ProcessOLE", "End");
    } catch (const MailError& e) {
        // What was handled before the connection went stays handled; the journal
        // lets the next check dispose of it.
        try {
            commitTransaction();
        } catch (const StoreError& storeError) {
            ctx_.ui.warn(storeError.text());
        }
        toDispose_.clear();
        ctx_.ui.warn(kAccessError + mailErrorText(e));
    } catch (const StoreError& e) {
        ctx_.ui.warn(e.text());
    }
    window_.reset();
    try {
        ctx_.db.SaveDatabase();
    } catch (const StoreError& e) {
        ctx_.ui.warn(e.text());
        finished = false;
    }
    return finished;
}

}  // namespace

bool runCheckPass(const ListContext& ctx, const MailStores& stores, const CheckHooks& hooks, bool listChanges,
                  bool userEmails, CheckCounts& counts)
{
    return Pass(ctx, stores, hooks, listChanges, userEmails, counts).run();
}
