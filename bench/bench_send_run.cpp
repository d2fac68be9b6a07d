// The whole send run: a recipient table built from 100,000 entries, each message
// personalised and sent alone by method 3 over one connection to Postfix's
// smtp-sink, every recipient's outcome recorded as the run goes; then the same
// list in BCC batches of 250. The limit of each is measured in the same run:
// smtp-source sending as many messages of the same size (with as many recipients
// each) over one connection to the same sink. Prints messages/s and the ratios.
//
// Arguments (optional): the number of entries (100000).
#include "PostfixSink.h"
#include "YesUi.h"
#include "base/ProcessEnvironment.h"
#include "logs/Logs.h"
#include "mail/MailStores.h"
#include "mailings/ClockPause.h"
#include "mailings/MailingRun.h"
#include "mailings/RecipientTableBuilder.h"
#include "sending/TdmMailSend.h"
#include "settings/Settings.h"
#include "store/Database.h"
#include "store/SqliteConnection.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {

constexpr int kMessageBytes = 2000;

void addEntries(Database& db, int count)
{
    Transaction transaction(db.connection());
    Statement insert(db.connection(), QStringLiteral("INSERT INTO mailist (Item, Name, Salutation, Category) "
                                                     "VALUES (?, ?, ?, 'Members')"));
    for (int i = 0; i < count; ++i) {
        insert.bind(1, QStringLiteral("member%1@x.test").arg(i, 6, 10, QChar('0')))
            .bind(2, QStringLiteral("Member %1").arg(i))
            .bind(3, QStringLiteral("Member"));
        insert.run();
        insert.reset();
    }
    transaction.commit();
}

QString body()
{
    QString text = QStringLiteral("Dear %FIRST_NAME%,\r\n\r\n");
    while (text.size() < kMessageBytes - 400)
        text += QString(70, 'x') + "\r\n";
    return text + QStringLiteral("Yours, the list\r\n");
}

struct Timed {
    double seconds = 0;
    double buildSeconds = 0;
    SendListTally tally;
};

Timed sendRun(Database& db, const QString& folder, const Settings& settings, TdmMailSend& mailSend, Ui& ui,
              int perMessage)
{
    ClockPause pause([](int) {});
    SendListTable table(db.connection(), folder);
    table.CreateSendMailTable(ui);
    QElapsedTimer clock;
    clock.start();
    RecipientTableBuilder builder(table, settings, ui, mailSend.flags);
    builder.fromEntries({}, true);
    Timed timed;
    timed.buildSeconds = clock.elapsed() / 1000.0;
    MailingRun run(db.connection(), folder, settings, mailSend, ui, pause);
    SendLogRecord record;
    record.Recipients = QStringLiteral("All Database Contacts");
    record.Subject = QStringLiteral("News for %FULL_NAME%");
    const qint64 logIndex = run.SaveEmailToSendLog(record, table);
    RunMessage message{record.Subject, body(), {}, false, {}, true};
    RunOptions options;
    options.method = 3;
    options.recipientsPerMessage = perMessage;
    clock.restart();
    timed.tally = run.send(table, logIndex, message, options).tally;
    timed.seconds = clock.elapsed() / 1000.0;
    table.FreeSendMailTable(true);
    return timed;
}

}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    QCoreApplication app(argc, argv);
    const int entries = argc > 1 ? std::max(250, atoi(argv[1])) : 100000;
    PostfixSink sink;
    if (!sink.started())
        return 1;
    QTemporaryDir dir;
    const QString folder = dir.path() + "/";
    Database::createMissingTables(folder, TableScope::All);
    Database db;
    db.setFolder(folder, false, false);
    db.openTable(TableId::Entries);
    db.openTable(TableId::Log);
    addEntries(db, entries);

    YesUi ui;
    Settings settings;
    settings.SMTPHost = QStringLiteral("127.0.0.1");
    settings.SMTPPort = sink.port();
    settings.SMTPSecurity = QStringLiteral("None");
    settings.SMTPEmail = QStringLiteral("list@x.test");
    Logs logs{settings.logSwitches(), QString(), [] { return QString(); }};
    TdmMailSend mailSend(settings, logs, ui, [folder] { return folder; }, [] { return MailStores({}, QString()); });

    std::printf("Send run to %d entries, messages of about %d bytes, outcomes recorded, to smtp-sink\n", entries,
                kMessageBytes);
    for (const int perMessage : {1, 250}) {
        const Timed ours = sendRun(db, folder, settings, mailSend, ui, perMessage);
        const int messages = (entries + perMessage - 1) / perMessage;
        const double limit = sink.sourceSeconds(messages, kMessageBytes, perMessage);
        std::printf("%s:\n", perMessage == 1 ? "one message per recipient (personalised)" : "BCC batches of 250");
        std::printf("  recipient table built in %.2f s\n", ours.buildSeconds);
        std::printf("  ours:  %8.0f messages/s (%lld accepted, %lld refused, %lld uncertain, %lld not sent)\n",
                    messages / ours.seconds, ours.tally.accepted, ours.tally.refused, ours.tally.uncertain,
                    ours.tally.notSent);
        std::printf("  limit (smtp-source -m %d -r %d): %8.0f messages/s\n", messages, perMessage, messages / limit);
        std::printf("  ratio to the limit: %.2f\n", limit / ours.seconds);
    }
    return 0;
}
