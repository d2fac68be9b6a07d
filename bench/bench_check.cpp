// Check-run throughput: a check over N request messages (a realistic mix of
// subscribes, unsubscribes, body-line requests, chatter and bounces) with delete
// as AfterProcess, from a Maildir and from a private Dovecot over IMAP. Its limit
// is measured in the same run: the sum of its three parts done alone - fetching
// the same messages one by one through the same store, parsing them with GMime,
// and the same requests through insertentry in batches. Prints requests/s, the
// limit and the ratio of the check's time to it.
//
// Arguments (optional): the number of messages (10000).
#include "base/Folders.h"
#include "base/ProcessEnvironment.h"
#include "logs/Logs.h"
#include "mail/ImapStore.h"
#include "mail/MailMessage.h"
#include "mail/MailStores.h"
#include "mail/MaildirStore.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "subscriptions/CheckRun.h"
#include "subscriptions/InsertEntry.h"
#include "subscriptions/ListContext.h"
#include "support/DovecotServer.h"
#include "support/MaildirDrop.h"
#include "YesUi.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>
#include <memory>

namespace {

constexpr int kInsertBatch = 100;

struct Request {
    bool add;
    QString address;
};

// The i-th message of the mix, and the request it makes (none for chatter).
QByteArray mixMessage(int i, std::optional<Request>& request)
{
    const QString person = QString("member%1@host%2.example.org").arg(i).arg(i % 300);
    switch (i % 20) {
    case 0:
        request.reset();
        return requestMessage(person, "Lunch on Friday?", "Shall we meet at noon?");
    case 1:
        request = Request{true, person};
        return requestMessage(person, "Hello", "join");
    case 2: {
        const QString gone = QString("member%1@host%2.example.org").arg(i - 2).arg((i - 2) % 300);
        request.reset();  // counted as a bounce, not an entry request
        return ("From: MAILER-DAEMON@mx.example.org\r\nTo: list@owner.test\r\nSubject: failure notice\r\n\r\n"
                "Hi. This is the qmail-send program at mx.example.org.\r\n\r\n<" + gone
                + ">:\r\nSorry, no mailbox here by that name. (#5.1.1)\r\n\r\n"
                  "--- Below this line is a copy of the message.\r\n\r\nFrom: list@owner.test\r\n")
            .toUtf8();
    }
    case 3:
    case 4:
    case 5: {
        const QString earlier = QString("member%1@host%2.example.org").arg(i - 3).arg((i - 3) % 300);
        request = Request{false, earlier};
        return requestMessage(earlier, "unsubscribe");
    }
    default:
        request = Request{true, person};
        return requestMessage(person, "subscribe");
    }
}

// One database folder with every table open, as a check run has it.
struct List {
    explicit List(const QString& home) : folders(Folders::forApplication(home))
    {
        folder = folders.application + "DB/";
        QDir().mkpath(folder);
        settings.FailedMail = true;
        settings.RetrieveMethod = 0;
        settings.Cats = {"default"};
        Database::createMissingTables(folder, TableScope::All);
        db.database().setFolder(folder, false, false);
        for (TableId table : kOpenOrder)
            db.database().openTable(table);
    }
    Folders folders;
    QString folder;
    Settings settings;
    YesUi ui;
    Logs logs{settings.logSwitches(), folders.application, [this] { return folder; }};
    TdmML db{folders, settings, logs, ui};
    StatisticsRecorder statistics{db.database(), [this] { return db.entryCount(); }};
    ListContext ctx{settings, logs, ui, db, statistics, {}};
};

qint64 timed(const std::function<void()>& work)
{
    QElapsedTimer timer;
    timer.start();
    work();
    return timer.elapsed();
}

double perSecond(int count, qint64 ms) { return ms > 0 ? count * 1000.0 / double(ms) : 0.0; }

struct Mix {
    QList<QByteArray> messages;
    QList<Request> requests;
};

Mix makeMix(int count)
{
    Mix mix;
    for (int i = 0; i < count; ++i) {
        std::optional<Request> request;
        mix.messages << mixMessage(i, request);
        if (request)
            mix.requests << *request;
    }
    return mix;
}

// The parts done alone: parsing every message, and the requests through the entry rules.
qint64 parseAndInsertAlone(const Mix& mix, const QString& home)
{
    const qint64 parse = timed([&] {
        for (const QByteArray& bytes : mix.messages)
            parseMailMessage(bytes);
    });
    List list(home);
    const qint64 insert = timed([&] {
        for (qsizetype at = 0; at < mix.requests.size(); at += kInsertBatch) {
            Transaction batch(list.db.database().connection());
            for (qsizetype i = at; i < std::min(at + kInsertBatch, mix.requests.size()); ++i)
                insertentry(list.ctx, mix.requests[i].add, mix.requests[i].address, true, true, false, {},
                            "c", {}, {}, {});
            batch.commit();
        }
    });
    std::printf("  parse alone %lld ms, insertentry alone %lld ms\n", (long long)parse, (long long)insert);
    return parse + insert;
}

qint64 fetchAlone(MailStore& store, const QStringList& folder)
{
    std::unique_ptr<MailFolder> open = store.open(folder);
    return timed([&] {
        for (const MessageListing& m : open->list())
            open->fetch(m.key);
    });
}

// The check over the list folder, then the same messages of "Raw" fetched alone.
void checkAndReport(const char* where, const Mix& mix, List& list, std::unique_ptr<MailStore> store)
{
    std::vector<std::unique_ptr<MailStore>> stores;
    stores.push_back(std::move(store));
    MailStores tree(std::move(stores), list.settings.MailingListFolder);
    CheckCounts counts;
    const qint64 check = timed([&] { btngetoutlookClick(list.ctx, tree, {}, counts); });
    const qint64 fetch = fetchAlone(*tree.stores()[0], {"Raw"});
    std::printf("  %s fetch alone %lld ms; check acted on %d, left %d, failed %d\n", where, (long long)fetch,
                counts.actedOn, counts.left, counts.failed);
    QTemporaryDir other;
    const qint64 limit = fetch + parseAndInsertAlone(mix, other.path());
    const int count = int(mix.messages.size());
    std::printf("%s: %d messages in %lld ms = %.0f requests/s; limit %lld ms (%.0f/s); check/limit %.2f\n", where,
                count, (long long)check, perSecond(count, check), (long long)limit, perSecond(count, limit),
                limit > 0 ? double(check) / double(limit) : 0.0);
}

void benchMaildir(const Mix& mix)
{
    QTemporaryDir home;
    List list(home.path());
    list.settings.MailingListFolder = "Local Folders//Inbox";
    MaildirDrop inbox(home.path() + "/Mail/Inbox");
    MaildirDrop raw(home.path() + "/Mail/Raw");
    for (const QByteArray& message : mix.messages) {
        inbox.deliver(message);
        raw.deliver(message);
    }
    checkAndReport("Maildir", mix, list, openMaildirStore("Local Folders", home.path() + "/Mail"));
}

void benchImap(const Mix& mix)
{
    if (!DovecotServer::installed()) {
        std::printf("IMAP: dovecot is not installed\n");
        return;
    }
    DovecotServer server;
    if (!server.started())
        return;
    server.createFolder({"Raw"});
    for (const QByteArray& message : mix.messages) {
        server.deliver({"INBOX"}, message);
        server.deliver({"Raw"}, message);
    }
    QTemporaryDir home;
    List list(home.path());
    const ImapAccount account = server.account();
    list.settings.MailingListFolder = account.storeName() + "//INBOX";
    checkAndReport("IMAP", mix, list, openImapStore(account));
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    QCoreApplication app(argc, argv);
    bool ok = false;
    const int count = app.arguments().value(1).toInt(&ok);
    const Mix mix = makeMix(ok && count > 0 ? count : 10000);
    benchMaildir(mix);
    benchImap(mix);
    return 0;
}
