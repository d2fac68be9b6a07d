#include "exchange/CheckOverwriteFile.h"

#include "base/Ui.h"

#include <QFileInfo>

bool CheckOverwriteFile(Ui& ui, const QString& fileName)
{
    return !QFileInfo::exists(fileName) ||
           ui.askYesNo("Are you sure you want to overwrite the file, " + fileName + "?");
}
