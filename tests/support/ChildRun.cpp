#include "support/ChildRun.h"

#include <QProcess>

ChildRun runChild(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment)
{
    QProcess child;
    child.setProcessEnvironment(environment);
    child.start(program, arguments);
    if (!child.waitForFinished(60000) || child.exitStatus() != QProcess::NormalExit)
        return {};
    return {child.exitCode(), QString::fromUtf8(child.readAllStandardOutput()),
            QString::fromUtf8(child.readAllStandardError())};
}
