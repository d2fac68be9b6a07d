#include "app/cli/CliCall.h"

#include "app/ConsoleUi.h"
#include "app/Session.h"
#include "settings/SettingsStore.h"

CliCall::CliCall(const QCommandLineParser& parser, bool answerYes, QString executableFolder,
                 QTextStream& out, QTextStream& err)
    : out(out),
      err(err),
      parser_(parser),
      answerYes_(answerYes),
      executableFolder_(std::move(executableFolder))
{
}

CliCall::~CliCall() = default;

QStringList CliCall::arguments() const
{
    return parser_.positionalArguments().mid(1);
}

Session* CliCall::openDatabase()
{
    if (!session_) {
        FoldersChoice folders = Session::locateFolders(executableFolder_);
        if (!folders.folders) {
            err << folders.problem << Qt::endl;
            return nullptr;
        }
        ui_ = std::make_unique<ConsoleUi>(answerYes_, out, err);
        session_ = std::make_unique<Session>(std::move(*folders.folders), *ui_);
        SettingsStore::Hooks hooks;
        hooks.saveDatabase = [this] { session_->db.SaveDatabase(); };
        SettingsStore store(session_->folders, *ui_, session_->logs, hooks);
        if (!store.Loadentries(session_->settings)) {
            err << "Nothing was done: without the settings the command could work on another "
                   "database than yours."
                << Qt::endl;
            return nullptr;
        }
        session_->db.create();
    }
    if (session_->db.isOpen())
        return session_.get();
    err << "No database is open." << Qt::endl;
    return nullptr;
}

bool CliCall::close()
{
    if (!session_ || !session_->db.isOpen())
        return true;
    bool saved = true;
    try {
        session_->db.SaveDatabase();
    } catch (const std::exception& e) {
        err << e.what() << Qt::endl;
        saved = false;
    }
    // A failure here is told through the console and counted with the others.
    session_->saveRecentList();
    return saved;
}

int CliCall::problemsTold() const
{
    return ui_ ? ui_->problemsTold() : 0;
}
