#pragma once

#include "mail/MailFolder.h"

#include <QString>
#include <memory>

class MailStores;
class Ui;

// Opens a folder path step by step. A missing step warns "The folder, " + name +
// ", could not be opened" and answers nullptr; lastName is the last step handled.
std::unique_ptr<MailFolder> NavigateToOLFolder(const MailStores& stores, const QString& folderPath, Ui& ui,
                                               QString& lastName);
