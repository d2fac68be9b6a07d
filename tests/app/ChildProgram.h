#pragma once

#include <QCoreApplication>
#include <QProcessEnvironment>
#include <QString>

// The programs of this build, started as real child processes: the test programs
// live in the build's tests/ folder, the programs one folder up.
inline QString builtProgram(const QString& name)
{
    return QCoreApplication::applicationDirPath() + "/../" + name;
}

// The environment of a child working on a scratch home; HOME goes there too, so
// the registry stand-in of the desktop program is the scratch one as well.
inline QProcessEnvironment scratchEnvironment(const QString& home)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert("CORVANEL_HOME", home);
    environment.insert("HOME", home);
    environment.remove("XDG_CONFIG_HOME");
    environment.remove("XDG_DATA_HOME");
    environment.insert("QT_QPA_PLATFORM", "offscreen");
    return environment;
}
