#include "app/cli/CliMain.h"
#include "base/ProcessEnvironment.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    prepareProcessEnvironment();
    QCoreApplication app(argc, argv);
    QCoreApplication::setOrganizationName("Tamrix");
    QCoreApplication::setApplicationName("Corvanel");
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runCli(QCoreApplication::arguments(), QCoreApplication::applicationDirPath(), out, err);
}
