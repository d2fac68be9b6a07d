#include "mail/ui/TdlgGetOLFolder.h"

#include "base/Ui.h"
#include "mail/FolderNavigation.h"
#include "mail/ui/FolderTree.h"

#include <QDialogButtonBox>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Long enough for the dialog to paint before the stores are asked for their folders.
constexpr int kLoadDelayMs = 125;

}  // namespace

TdlgGetOLFolder::TdlgGetOLFolder(const MailStores& stores, Ui& ui, const QString& prompt, QWidget* parent)
    : QDialog(parent),
      stores_(stores),
      ui_(ui),
      lblPrompt_(new QLabel(prompt, this)),
      tvFolders_(new QTreeWidget(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      btnOK_(buttons_->button(QDialogButtonBox::Ok)),
      btnNewFolder_(buttons_->addButton("New Folder...", QDialogButtonBox::ActionRole))
{
    setObjectName("TdlgGetOLFolder");
    setWindowTitle("Select Mail Account Folder");

    lblPrompt_->setObjectName("lblPrompt");
    lblPrompt_->setWordWrap(true);
    tvFolders_->setObjectName("tvFolders");
    tvFolders_->setColumnCount(1);
    tvFolders_->header()->hide();
    btnOK_->setObjectName("btnOK");
    btnNewFolder_->setObjectName("btnNewFolder");
    buttons_->button(QDialogButtonBox::Cancel)->setObjectName("btnCancel");
    nodeChanged(nullptr);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblPrompt_);
    layout->addWidget(tvFolders_, 1);
    layout->addWidget(buttons_);
    resize(380, 440);

    connect(tvFolders_, &QTreeWidget::currentItemChanged, this,
            [this](QTreeWidgetItem* current) { nodeChanged(current); });
    connect(buttons_, &QDialogButtonBox::accepted, this, &TdlgGetOLFolder::btnOKClick);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(btnNewFolder_, &QPushButton::clicked, this, &TdlgGetOLFolder::btnNewFolderClick);
}

QString TdlgGetOLFolder::folderPath() const
{
    QTreeWidgetItem* node = tvFolders_->currentItem();
    return node ? Node2OLFolderString(node) : QString();
}

void TdlgGetOLFolder::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    if (loadScheduled_)
        return;
    loadScheduled_ = true;
    QTimer::singleShot(kLoadDelayMs, this, &TdlgGetOLFolder::loadFolders);
}

void TdlgGetOLFolder::loadFolders()
{
    AddOLFolders2TreeView(tvFolders_, stores_, ui_, false);
    nodeChanged(tvFolders_->currentItem());
}

void TdlgGetOLFolder::nodeChanged(QTreeWidgetItem* node)
{
    const bool supported = SupportedOLFolder(node, false);
    btnOK_->setEnabled(supported);
    btnNewFolder_->setEnabled(supported);
}

void TdlgGetOLFolder::btnOKClick()
{
    if (SupportedOLFolder(tvFolders_->currentItem(), false))
        accept();
}

void TdlgGetOLFolder::btnNewFolderClick()
{
    QTreeWidgetItem* parent = tvFolders_->currentItem();
    const auto typed = ui_.inputText("Create Mail Account Folder", "Specify the name of your new mail account folder");
    if (!typed || typed->trimmed().isEmpty() || !parent)
        return;
    const QString name = typed->trimmed();
    if (!CreateOutlookFolder(stores_, ui_, Node2OLFolderString(parent), name))
        return;
    addFolderItem(parent, name);
    parent->sortChildren(0, Qt::AscendingOrder);
    parent->setExpanded(true);
}

QString GetOutlookFolder(QWidget* parent, const MailStores& stores, Ui& ui, const QString& prompt)
{
    TdlgGetOLFolder dialog(stores, ui, prompt, parent);
    return dialog.exec() == QDialog::Accepted ? dialog.folderPath() : QString();
}
