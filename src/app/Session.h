#pragma once

#include "base/Folders.h"
#include "logs/Logs.h"
#include "settings/Settings.h"
#include "store/StatisticsRecorder.h"
#include "store/TdmML.h"
#include "subscriptions/RecipientCache.h"

#include <memory>

class TdmMailSend;
class Ui;

// What the program keeps for one run: folders, settings, logs, the database
// session with its statistics, and the current mode. Operations receive it (or parts of it) by reference.
class Session {
public:
    Session(Folders folders, Ui& ui);
    // The folders for this run from the environment, within what the table files
    // allow; the programs stop with the choice's problem when there are none.
    static FoldersChoice locateFolders(const QString& executableFolder);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // The recent databases into the configuration folder; warns, naming the file
    // and the reason, and returns false when it cannot be written.
    bool saveRecentList();

    Ui& ui;
    Folders folders;
    Settings settings;
    Logs logs;
    TdmML db;
    StatisticsRecorder statistics;
    QString currentMode;
    // The forwarding's group cache, kept from one check to the next.
    RecipientCache recipientCache;

    // The sender of every message, made when the first one needs it.
    TdmMailSend& CreatedmMailSend();

private:
    std::unique_ptr<TdmMailSend> mailSend_;
};
