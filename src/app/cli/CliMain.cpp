#include "app/cli/CliMain.h"

#include "app/cli/CliCall.h"
#include "app/cli/CliCommands.h"
#include "base/ProjectInfo.h"

#include <QCommandLineParser>
#include <QIODevice>
#include <algorithm>

namespace {

const QString kProgram = QStringLiteral("corvanel-cli");
constexpr int kBadCall = 2;

// The options every command accepts, before or after its name.
struct CommonOptions {
    QCommandLineOption help{{"h", "help"}, "Displays this help; after a command, that command's."};
    QCommandLineOption version{"version", "Displays the program's name and version."};
    QCommandLineOption yes{"yes", "Answers Yes (or Ok) to every question; without it every "
                                  "question is answered No (or Cancel)."};

    void addTo(QCommandLineParser& parser) const { parser.addOptions({help, version, yes}); }
};

QString commandList()
{
    qsizetype width = 0;
    for (const CliCommand& command : cliCommands())
        width = std::max(width, command.name.size());
    QString list = "\nCommands:\n";
    for (const CliCommand& command : cliCommands())
        list += "  " + command.name.leftJustified(width + 2) + command.summary + '\n';
    return list;
}

// Qt's help with its usage line naming the program as the messages do, not as it was
// started, and the command, when there is one, after the program's name.
QString helpText(const QCommandLineParser& parser, const QString& commandName)
{
    QString text = parser.helpText();
    const qsizetype options = text.indexOf(" [options]");
    text.replace(0, options,
                 "Usage: " + kProgram + (commandName.isEmpty() ? "" : " " + commandName));
    return text;
}

int badCall(QTextStream& err, const QString& problem, const QString& helpFor)
{
    err << kProgram << ": " << problem << '\n'
        << "Run '" << kProgram << (helpFor.isEmpty() ? "" : " " + helpFor)
        << " --help' for " << (helpFor.isEmpty() ? "the commands." : "its options.") << Qt::endl;
    return kBadCall;
}

// A complaint about the number of values after the command's name; empty when it fits.
QString argumentProblem(const CliCommand& command, const QStringList& values)
{
    const bool repeated = !command.arguments.isEmpty() && command.arguments.last().repeated;
    if (values.size() < command.arguments.size())
        return "missing " + command.arguments.at(values.size()).name;
    if (values.size() > command.arguments.size() && !repeated)
        return "unexpected argument: " + values.at(command.arguments.size());
    return {};
}

int runCommand(const CliCommand& command, QCommandLineParser& parser, const CommonOptions& common,
               const QStringList& arguments, const QString& executableFolder, QTextStream& out,
               QTextStream& err)
{
    parser.clearPositionalArguments();
    parser.setApplicationDescription(command.summary);
    parser.addOptions(command.options);
    for (const CliArgument& argument : command.arguments)
        parser.addPositionalArgument(argument.name, argument.description,
                                     argument.repeated ? argument.name + "..." : argument.name);
    if (!parser.parse(arguments))
        return badCall(err, parser.errorText(), command.name);
    if (parser.isSet(common.help)) {
        out << helpText(parser, command.name) << Qt::flush;
        return 0;
    }
    CliCall call(parser, parser.isSet(common.yes), executableFolder, out, err);
    const QString problem = argumentProblem(command, call.arguments());
    if (!problem.isEmpty())
        return badCall(err, command.name + ": " + problem, command.name);
    int code = command.run(call);
    if (!call.close())
        code = std::max(code, 1);
    // A command that told of a problem and still returned 0 did not do all it was asked.
    if (code == 0 && call.problemsTold() > 0) {
        err << kProgram << ": " << command.name << " did not complete as asked: see the "
            << (call.problemsTold() == 1 ? QString("message")
                                         : QString::number(call.problemsTold()) + " messages")
            << " above." << Qt::endl;
        code = 1;
    }
    return code;
}

int runParsed(const QStringList& arguments, const QString& executableFolder, QTextStream& out,
              QTextStream& err)
{
    QCommandLineParser parser;
    const CommonOptions common;
    common.addTo(parser);
    parser.setApplicationDescription(
        "Runs one command of Corvanel on the mailing-list database, without windows. Every "
        "message is printed; CORVANEL_HOME chooses the home as for the desktop program.");
    parser.addPositionalArgument("COMMAND", "One of the commands below.", "COMMAND");
    // A first look finds the command; the command's own options are not known yet, so
    // an unknown option only counts when there is no command to know it.
    const bool parsed = parser.parse(arguments);
    if (parser.isSet(common.version)) {
        out << kProgram << ' ' << ProjectInfo::kVersion << Qt::endl;
        return 0;
    }
    const QStringList positional = parser.positionalArguments();
    if (positional.isEmpty()) {
        if (!parsed)
            return badCall(err, parser.errorText(), {});
        if (parser.isSet(common.help)) {
            out << helpText(parser, {}) << commandList() << Qt::flush;
            return 0;
        }
        return badCall(err, "missing command", {});
    }
    const CliCommand* command = findCliCommand(positional.first());
    if (!command)
        return badCall(err, "unknown command: " + positional.first(), {});
    return runCommand(*command, parser, common, arguments, executableFolder, out, err);
}

void sayOutputFailed(const QTextStream& out, QTextStream& err)
{
    const QIODevice* device = out.device();
    err << kProgram << ": cannot write to standard output"
        << (device ? ": " + device->errorString() : QString()) << Qt::endl;
}

}  // namespace

int runCli(const QStringList& arguments, const QString& executableFolder, QTextStream& out,
           QTextStream& err)
{
    const int code = runParsed(arguments, executableFolder, out, err);
    // Output that never reached its file (a full disk) is work not done either.
    out.flush();
    if (out.status() == QTextStream::Ok)
        return code;
    sayOutputFailed(out, err);
    return std::max(code, 1);
}
