#include "mail/ui/FolderTree.h"

#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "mail/MailErrors.h"
#include "mail/MailStores.h"

#include <QStyle>
#include <QTreeWidget>
#include <array>

namespace {

const QString kProgressCaption = QStringLiteral("Retrieving Mail Account Folders");

// Folder names sort as a person reads them, whatever their letter case.
class FolderTreeItem : public QTreeWidgetItem {
public:
    using QTreeWidgetItem::QTreeWidgetItem;
    bool operator<(const QTreeWidgetItem& other) const override
    {
        return text(0).compare(other.text(0), Qt::CaseInsensitive) < 0;
    }
};

QIcon folderIcon(const QStyle* style, int imageIndex)
{
    static constexpr std::array<QStyle::StandardPixmap, kFolderImageCount> pixmaps = {
        QStyle::SP_DriveHDIcon,           QStyle::SP_FileDialogDetailedView, QStyle::SP_FileDialogInfoView,
        QStyle::SP_TrashIcon,             QStyle::SP_FileIcon,               QStyle::SP_FileDialogContentsView,
        QStyle::SP_FileDialogListView,    QStyle::SP_DialogApplyButton,      QStyle::SP_ArrowDown,
        QStyle::SP_ArrowUp,               QStyle::SP_DialogYesButton,        QStyle::SP_DirIcon,
    };
    return style->standardIcon(pixmaps[size_t(imageIndex)]);
}

void decorate(QTreeWidgetItem* item, const QString& caption, bool isStore)
{
    item->setText(0, caption);
    const QTreeWidget* tree = item->treeWidget();
    item->setIcon(0, folderIcon(tree->style(), FolderImageIndex(caption, isStore)));
}

// Depth first, in the store's own order; the first contacts folder met is kept.
void addBranch(QTreeWidgetItem* parent, const MailFolderNode& node, QString& contactsPath)
{
    QTreeWidgetItem* item = addFolderItem(parent, folderCaption(node));
    if (node.kind == MailFolderNode::Kind::Contacts && contactsPath.isEmpty())
        contactsPath = Node2OLFolderString(item);
    for (const MailFolderNode& child : node.children)
        addBranch(item, child, contactsPath);
}

}  // namespace

QTreeWidgetItem* addFolderItem(QTreeWidgetItem* parent, const QString& caption)
{
    auto* item = new FolderTreeItem(parent);
    decorate(item, caption, false);
    return item;
}

QString AddOLFolders2TreeView(QTreeWidget* tree, const MailStores& stores, Ui& ui, bool contactsMode)
{
    const BusyCursor busy(ui);
    ProgressScope progress(ui, kProgressCaption, 0, false);
    tree->clear();
    QString contactsPath;
    for (const auto& store : stores.stores()) {
        QList<MailFolderNode> folders;
        try {
            store->connect();
            folders = store->folders();
        } catch (const MailError& error) {
            ui.warn(logonErrorText(error));
            continue;
        }
        auto* root = new FolderTreeItem(tree);
        decorate(root, store->name(), true);
        ui.showProgress(kProgressCaption, int(folders.size()), false);
        for (qsizetype i = 0; i < folders.size(); ++i) {
            progress.step(int(i) + 1);
            addBranch(root, folders[i], contactsPath);
        }
    }
    tree->sortItems(0, Qt::AscendingOrder);
    if (tree->topLevelItemCount() > 0)
        tree->topLevelItem(0)->setExpanded(true);
    if (!contactsMode)
        return {};
    if (contactsPath.isEmpty())
        ui.warn("Your Contacts folder could not be found");
    return contactsPath;
}

bool SupportedOLFolder(QTreeWidgetItem* node, bool allowContacts)
{
    return node && node->parent() && isSupportedFolderCaption(node->text(0), allowContacts);
}

QString Node2OLFolderString(QTreeWidgetItem* node)
{
    QStringList names;
    for (; node; node = node->parent())
        names.prepend(stripasterisk(node->text(0)));
    return names.join("//");
}
