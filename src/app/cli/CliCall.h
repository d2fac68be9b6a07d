#pragma once

#include <QCommandLineParser>
#include <QString>
#include <QStringList>
#include <QTextStream>
#include <memory>

class ConsoleUi;
class Session;

// What a command's run is handed: its parsed options and arguments, the two
// streams, and the database session, which is opened only when the command asks
// for it and saved when the command is done.
class CliCall {
public:
    CliCall(const QCommandLineParser& parser, bool answerYes, QString executableFolder,
            QTextStream& out, QTextStream& err);
    ~CliCall();
    CliCall(const CliCall&) = delete;
    CliCall& operator=(const CliCall&) = delete;

    // The values after the command's name, in order.
    QStringList arguments() const;
    // The command's own options are read here.
    const QCommandLineParser& parser() const { return parser_; }

    // The session with the settings loaded and the configured database opened (every
    // question answered on the console); nullptr, said on err, when no database opened
    // or no home folder could be chosen.
    // Settings that cannot be read open nothing: the defaults would name another
    // database than the user's, and a script would go on working on it.
    Session* openDatabase();
    // Saves the database and the recent list when openDatabase opened them; false, said
    // on err, when the database could not be saved.
    bool close();
    // The warnings and errors told on the console while the command ran, close's too.
    int problemsTold() const;

    QTextStream& out;
    QTextStream& err;

private:
    const QCommandLineParser& parser_;
    bool answerYes_;
    QString executableFolder_;
    std::unique_ptr<ConsoleUi> ui_;
    std::unique_ptr<Session> session_;
};
