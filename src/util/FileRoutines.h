#pragma once

#include <QString>
#include <optional>

class Ui;

// File and folder routines. Paths may use "\" or "/"; results use "/".

// Trimmed; a non-empty path that does not end in "\" or "/" gets "/" appended.
QString AddSlash(const QString& path);
// The file name without its folder and without its (last) extension.
QString NameWithoutExtension(const QString& path);
// The name's extension, dot included, equals the given one without regard to case.
bool HasExtension(const QString& fileName, const QString& extension);

// The name itself when no such file exists; else folder + base name + separator +
// n + extension for the first n = 2, 3, ... that does not exist (an empty
// separator means "_"). Empty when every candidate up to 20000000 is taken.
QString UniqueFileName(const QString& fileName, const QString& separator);

// The system's folder for temporary files, ending in "/".
QString TempFolder();
// A free name in the temporary folder for the file name without its folder.
QString TempFileName(const QString& fileName);

bool FolderExists(const QString& path);

// Creates the folder with all missing parents; nullopt on success, else the reason.
std::optional<QString> CreateFolderPath(const QString& path);

// Makes sure the folder exists. A path of 3 characters or fewer (a drive root or
// shorter) gives false at once; an existing folder gives true without asking.
// With ask the person may decline; with report a failure is shown.
bool ForceFolder(Ui& ui, const QString& path, bool ask, bool report);

// Writes the text and "\n" in UTF-8: the file is created empty first when restart
// is set or it does not exist, otherwise the line is appended. False on any
// failure, which is never raised. Every log writes through this.
bool AppendLine(const QString& fileName, const QString& text, bool restart);

// Asks the desktop to open the target (a web address or a file).
void OpenDocument(Ui& ui, const QString& target);
