#include "app/ConsoleUi.h"
#include "base/ProcessEnvironment.h"
#include "app/Session.h"
#include "addresses/ScanAddressesCommand.h"
#include "settings/SettingsStore.h"

#include <QCoreApplication>
#include <QTextStream>
#include <functional>
#include <map>

namespace {
struct Command {
    QString usage;
    // Runs with the session open on the configured database; returns the exit code.
    std::function<int(Session&, const QStringList& args, QTextStream& out)> run;
    bool needsDatabase = true;
};

int info(Session& session, const QStringList&, QTextStream& out)
{
    if (!session.db.isOpen()) {
        out << "No database is open." << Qt::endl;
        return 1;
    }
    out << "Database folder: " << session.db.resolvedFolder() << Qt::endl
        << "Database name: " << session.db.databaseName() << Qt::endl
        << "Entries: " << session.db.entryCount() << Qt::endl
        << "Groups: " << session.settings.Cats.size() << Qt::endl;
    return 0;
}

int repair(Session& session, const QStringList&, QTextStream&)
{
    if (!session.db.isOpen())
        return 1;
    session.db.OptimiseDatabase(false);
    return 0;
}

const std::map<QString, Command>& commands()
{
    static const std::map<QString, Command> table = {
        {"info", {"info", info}},
        {"repair", {"repair", repair}},
        {"scan-addresses",
         {"scan-addresses FILE...",
          [](Session&, const QStringList& args, QTextStream& out) {
              return runScanAddresses(args, out);
          },
          false}},
    };
    return table;
}

int usage(QTextStream& err)
{
    err << "usage: corvanel-cli [--yes] COMMAND" << Qt::endl;
    for (const auto& [name, command] : commands())
        err << "  " << command.usage << Qt::endl;
    err << "Every question is answered No, or Yes with --yes." << Qt::endl;
    return 2;
}
}  // namespace

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tamrix");
    QCoreApplication::setApplicationName("Corvanel");
    QTextStream out(stdout);
    QTextStream err(stderr);

    QStringList args = QCoreApplication::arguments().mid(1);
    const bool yes = args.removeAll("--yes") > 0;
    if (args.isEmpty())
        return usage(err);
    const auto found = commands().find(args.takeFirst());
    if (found == commands().end())
        return usage(err);
    const Command& command = found->second;

    ConsoleUi ui(yes);
    Session session(Folders::locate(QCoreApplication::applicationDirPath()), ui);
    if (command.needsDatabase) {
        SettingsStore::Hooks hooks;
        hooks.saveDatabase = [&session] { session.db.SaveDatabase(); };
        SettingsStore store(session.folders, ui, session.logs, hooks);
        store.Loadentries(session.settings);
        session.db.create();
    }
    const int code = command.run(session, args, out);
    if (command.needsDatabase && session.db.isOpen()) {
        try {
            session.db.SaveDatabase();
        } catch (const std::exception& e) {
            err << e.what() << Qt::endl;
        }
        session.db.recent().save(session.folders.config + "recent.txt");
    }
    return code;
}
