#pragma once

#include "mail/MailStores.h"

#include <QString>
#include <memory>

class Ui;

// The walk from a folder path ("store//name//name") to the folder, step by step.
// lastName is the last name handled: the whole path's last on success, the step
// that failed otherwise. A failure warns "The folder, <name>, could not be opened"
// and answers nullptr.
std::unique_ptr<MailFolder> NavigateToOLFolder(const MailStores& stores, const QString& path, Ui& ui,
                                               QString& lastName);

// A new folder named name below the folder path; a failure warns with the reason
// and answers false.
bool CreateOutlookFolder(const MailStores& stores, Ui& ui, const QString& path, const QString& name);
