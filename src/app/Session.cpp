#include "app/Session.h"

#include "base/Ui.h"
#include "mail/MailStoresFromSettings.h"
#include "sending/TdmMailSend.h"
#include "store/Database.h"
#include "util/TextFiles.h"

Session::Session(Folders f, Ui& u)
    : ui(u),
      folders(std::move(f)),
      logs(settings.logSwitches(), folders.application, [this] { return db.resolvedFolder(); }),
      db(folders, settings, logs, ui),
      statistics(db.database(), [this] { return db.entryCount(); })
{
    db.recordRefresh = statistics.refreshHook();
}

Session::~Session() = default;

TdmMailSend& Session::CreatedmMailSend()
{
    if (!mailSend_) {
        mailSend_ = std::make_unique<TdmMailSend>(
            settings, logs, ui, [this] { return db.resolvedFolder(); },
            [this] { return mailStoresFor(settings, folders); });
        logs.debug("CreatedmMailSend", "Created dmMailSend");
    }
    return *mailSend_;
}

FoldersChoice Session::locateFolders(const QString& executableFolder)
{
    return Folders::locate(executableFolder, QProcessEnvironment::systemEnvironment(),
                           Database::longestFolderPath());
}

bool Session::saveRecentList()
{
    const QString path = folders.config + "recent.txt";
    QString reason;
    if (db.recent().save(path, &reason))
        return true;
    ui.warn("The list of recent databases could not be saved.\n\n" + cannotWriteText(path, reason));
    return false;
}
