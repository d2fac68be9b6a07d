#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class QAbstractButton;
class QPlainTextEdit;
class QWidget;
struct Settings;

// How a folder setting names the folder read when no other is chosen.
inline const QString kDefaultFolderText = "Default Folder (Inbox)";

// Reading only the default inbox (where Simple MAPI stood) leaves no other folder to
// read from or move to.
bool defaultInboxOnly(const Settings& s);

// The dependents can be used only while the box is ticked, from now on.
void enableWhenChecked(QAbstractButton* box, const QList<QWidget*>& dependents);

// A text list shown one item a line. An empty box is an empty list, not one empty line.
void showLines(QPlainTextEdit* edit, const QStringList& lines);
QStringList linesOf(const QPlainTextEdit* edit);
