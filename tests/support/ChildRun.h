#pragma once

#include <QProcessEnvironment>
#include <QString>
#include <QStringList>

// A program run to its end as a child, with what it said. exitCode is -1 when it
// did not start, crashed or took longer than a minute.
struct ChildRun {
    int exitCode = -1;
    QString out;
    QString err;
};

ChildRun runChild(const QString& program, const QStringList& arguments,
                  const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment());
