#pragma once

#include "mail/FolderCaption.h"

#include <QString>

class MailStores;
class QTreeWidget;
class QTreeWidgetItem;
class Ui;

// The folder tree of every store, as the picker and the harvest show it.

// Fills the tree with every store and its folders, sorted, the first store open.
// A store that cannot be reached is reported and left out. In contacts mode the
// answer is the path of the first contacts folder (none: reported, empty).
QString AddOLFolders2TreeView(QTreeWidget* tree, const MailStores& stores, Ui& ui, bool contactsMode);

// A node a setting can name: a folder (never a store) that holds mail, or
// contacts where they are allowed.
bool SupportedOLFolder(QTreeWidgetItem* node, bool allowContacts);

// The node's folder path: the captions up to its store, "*" stripped, "//"-joined.
QString Node2OLFolderString(QTreeWidgetItem* node);

// A new folder node with its caption and icon, under parent.
QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& caption);
