#include "base/ProcessEnvironment.h"

#include <QByteArray>
#include <QtGlobal>

void prepareProcessEnvironment()
{
    if (!qEnvironmentVariableIsSet("TZ"))
        qputenv("TZ", QByteArray(":/etc/localtime"));
}
