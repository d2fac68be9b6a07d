#pragma once

#include <QString>
#include <functional>

class Logs;
struct Settings;

// SendLog.txt of the database folder, the per-message trail of the last send run
// (only while "Save a log file when sending e-mail" is on), and the debug trace,
// which gets every line whatever that option says.
class SendLog {
public:
    // databaseFolder answers the open database's folder, ending in "/".
    SendLog(Logs& logs, const Settings& settings, std::function<QString()> databaseFolder);

    // restart empties the file first: a run begins it, so it holds that run only.
    // A file that cannot be written loses the line, and sending goes on.
    void AddToSendLog(const QString& text, bool restart = false);

private:
    Logs& logs_;
    const Settings& settings_;
    std::function<QString()> databaseFolder_;
};
