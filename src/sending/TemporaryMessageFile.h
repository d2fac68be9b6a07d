#pragma once

#include <QDir>
#include <QRandomGenerator>
#include <QString>

// "~msg" + a random number from 0 to 9998 + extension (".htm", ".rtf") in the
// folder, under a name no file had: the file is created empty, so no other
// program or call can take the name before the caller writes it. Empty when
// every such name is taken or the folder cannot be written.
QString temporaryMessageFile(const QString& extension, const QString& folder = QDir::tempPath(),
                             QRandomGenerator& random = *QRandomGenerator::global());

// The preview's page in the user's temporary folder.
inline QString TempHTMLFile() { return temporaryMessageFile(QStringLiteral(".htm")); }
