#pragma once

#include <QString>

class SqliteConnection;
class StaggerPause;
class TdmMailSend;
class Ui;
struct Settings;

// What a send run to the list needs of the session.
struct MailingServices {
    SqliteConnection& connection;
    QString databaseFolder;  // ending in "/"
    const Settings& settings;
    TdmMailSend& mailSend;
    Ui& ui;
    StaggerPause& pause;
};
