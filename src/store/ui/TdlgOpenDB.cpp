#include "store/ui/TdlgOpenDB.h"

#include "base/Folders.h"
#include "base/Ui.h"
#include "store/DBInfo.h"
#include "store/DatabaseFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTreeView>
#include <QVBoxLayout>

namespace {

// A root such as "/" or "C:/" is never made.
constexpr int kShortestCreatableFolder = 4;

bool isPlainFolderName(const QString& name)
{
    return !name.contains('/') && !name.contains('\\') && name != "." && name != "..";
}

}  // namespace

TdlgOpenDB::TdlgOpenDB(Ui& ui, const QString& initialFolder, QWidget* parent)
    : QDialog(parent),
      ui_(ui),
      model_(new QFileSystemModel(this)),
      tvFolders_(new QTreeView(this)),
      edtFolder_(new QLineEdit(this)),
      edtDatabase_(new QLineEdit(this)),
      btnOK_(new QPushButton("OK", this)),
      btnNewFolder_(new QPushButton("New Folder...", this)),
      btnCancel_(new QPushButton("Cancel", this))
{
    setObjectName("TdlgOpenDB");
    setWindowTitle("Create/Open Mailing List Database");

    auto* intro = new QLabel(
        "Please select the folder where you would like to load or create a mailing list database "
        "(If the folder contains a database, it will be loaded.  Otherwise you will be prompted "
        "to create one):",
        this);
    intro->setWordWrap(true);

    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot | QDir::Drives);
    model_->setRootPath(QDir::rootPath());
    tvFolders_->setObjectName("tvFolders");
    tvFolders_->setModel(model_);
    for (int column = 1; column < model_->columnCount(); ++column)
        tvFolders_->hideColumn(column);
    tvFolders_->header()->hide();

    edtFolder_->setObjectName("edtFolder");
    edtFolder_->setReadOnly(true);
    edtDatabase_->setObjectName("edtDatabase");
    edtDatabase_->setReadOnly(true);
    btnOK_->setObjectName("btnOK");
    btnOK_->setDefault(true);
    btnNewFolder_->setObjectName("btnNewFolder");
    btnCancel_->setObjectName("btnCancel");

    auto* fields = new QFormLayout;
    fields->addRow("Folder:", edtFolder_);
    fields->addRow("Database:", edtDatabase_);
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(btnNewFolder_);
    buttons->addStretch();
    buttons->addWidget(btnOK_);
    buttons->addWidget(btnCancel_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(intro);
    layout->addWidget(tvFolders_, 1);
    layout->addLayout(fields);
    layout->addLayout(buttons);
    resize(460, 480);

    connect(tvFolders_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& current) {
                if (current.isValid())
                    setFolderText(model_->filePath(current));
            });
    connect(btnOK_, &QPushButton::clicked, this, &TdlgOpenDB::btnOKClick);
    connect(btnNewFolder_, &QPushButton::clicked, this, &TdlgOpenDB::btnNewFolderClick);
    connect(btnCancel_, &QPushButton::clicked, this, &QDialog::reject);

    selectFolder(initialFolder);
}

std::optional<QString> TdlgOpenDB::choose(Ui& ui, const QString& current, QWidget* parent)
{
    TdlgOpenDB dialog(ui, current, parent);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.folder();
}

QString TdlgOpenDB::folder() const
{
    return edtFolder_->text();
}

void TdlgOpenDB::selectFolder(const QString& folder)
{
    const QString path = fixpath(folder, true);
    const QModelIndex index = QFileInfo(path).isDir() ? model_->index(fixpath(path, false)) : QModelIndex();
    if (index.isValid()) {
        tvFolders_->setCurrentIndex(index);
        tvFolders_->scrollTo(index);
    }
    setFolderText(path);
}

QString TdlgOpenDB::describeFolder(const QString& folder)
{
    if (DBInfo::existsIn(folder)) {
        const QString name = DBInfo::read(folder).DatabaseName;
        return name.isEmpty() ? QStringLiteral("Unknown Database") : "\"" + name + "\"";
    }
    if (databaseexistsindirectory(folder))
        return "V3 Format Database";
    return "No database found";
}

void TdlgOpenDB::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    refreshDescription();
}

void TdlgOpenDB::setFolderText(const QString& folder)
{
    edtFolder_->setText(fixpath(folder, true));
    const bool chosen = !edtFolder_->text().isEmpty();
    btnOK_->setEnabled(chosen);
    btnNewFolder_->setEnabled(chosen);
    refreshDescription();
}

void TdlgOpenDB::refreshDescription()
{
    edtDatabase_->setText(folder().isEmpty() ? QString() : describeFolder(folder()));
}

void TdlgOpenDB::btnOKClick()
{
    const QString path = folder();
    if (path.isEmpty())
        return;
    if (!QFileInfo(path).isDir()) {
        if (!ui_.askOkCancel("The folder, " + path + " does not exist.  Would you like to create it?"))
            return;
        if (path.size() < kShortestCreatableFolder || !QDir().mkpath(path)) {
            ui_.warn("An error was encountered while creating the folder, " + path);
            return;
        }
    }
    accept();
}

void TdlgOpenDB::btnNewFolderClick()
{
    const auto name = ui_.inputText("Create Subfolder", "Specify the name for the new folder");
    if (!name || name->trimmed().isEmpty())
        return;
    const QString parent = folder();
    const QString child = name->trimmed();
    // A name is one folder below the selected one, never a path elsewhere.
    if (!isPlainFolderName(child) || !QDir(parent).mkdir(child)) {
        ui_.warn("Error encountered creating the folder, " + parent + child);
        return;
    }
    selectFolder(parent + child);
}
