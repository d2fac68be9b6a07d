#include "setup/ui/OptionsOtherPage.h"

#include "setup/ui/OptionsControls.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "util/ui/WindowRoutines.h"

#include <QCheckBox>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace {

// A command's button, usable only when the application supplied the command; the
// command changes the dialog's copy, which every page then shows again.
QPushButton* draftCommand(const QString& name, const QString& caption, Tdlgoptions& dialog,
                          const std::function<void(Settings&)>& command)
{
    auto* button = named<QPushButton>(name, caption);
    button->setEnabled(bool(command));
    QObject::connect(button, &QPushButton::clicked, button, [&dialog, command] { dialog.editDraft(command); });
    return button;
}

}  // namespace

OptionsOtherPage::OptionsOtherPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Other", dialog, services)
{
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(bindings().check("MaintainLog", "Maintain Log File of Database Changes"));
    layout->addWidget(backUp());
    layout->addWidget(database());
    layout->addWidget(commands());
    layout->addStretch();
}

QWidget* OptionsOtherPage::backUp()
{
    auto* box = new QGroupBox("Back Up", this);
    BackUpFilename_ = bindings().text("BackUpFilename");
    auto* button = named<QPushButton>("btnBackUpFilename", "Select...");
    connect(button, &QPushButton::clicked, this, &OptionsOtherPage::pickBackUpFilename);
    auto* file = new QHBoxLayout;
    file->addWidget(new QLabel("Default Back Up Filename:", box));
    file->addWidget(BackUpFilename_);
    file->addWidget(button);
    auto* layout = new QVBoxLayout(box);
    layout->addWidget(bindings().check("BackUpOnExit", "Always back up the database on exit"));
    layout->addLayout(file);
    layout->addWidget(bindings().check("newbackupfilename", "Always save back-up file to a new file name"));
    return box;
}

QWidget* OptionsOtherPage::database()
{
    auto* box = new QGroupBox("Database", this);
    QCheckBox* limit = bindings().check("LimitDBCache", "Limit caching of database records to:");
    QSpinBox* size = bindings().number("DBCacheSize");
    auto* unit = new QLabel("records", box);
    auto* cache = new QHBoxLayout;
    cache->addWidget(limit);
    cache->addWidget(size);
    cache->addWidget(unit);
    cache->addStretch();
    enableWhenChecked(limit, {size, unit});
    auto* layout = new QVBoxLayout(box);
    layout->addLayout(cache);
    layout->addWidget(
        bindings().check("StrictChangeDetection", "Strict detection of Database changes (lower performance)"));
    return box;
}

QWidget* OptionsOtherPage::commands()
{
    auto* row = new QWidget(this);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(
        draftCommand("btnSpecifyEmailSoftware", "Specify E-mail Software", dialog(), services().setupWizard));
    layout->addWidget(
        draftCommand("btnAdvancedOptions", "Advanced Options..", dialog(), services().advancedSettings));
    layout->addStretch();
    return row;
}

void OptionsOtherPage::pickBackUpFilename()
{
    QFileDialog chooser(this, "Default Back Up Filename", BackUpFilename_->text(), "CSV Files (*.csv)");
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    // The back-up overwrites the file each time unless new names are asked for: naming it is no overwrite yet.
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        BackUpFilename_->setText(chooser.selectedFiles().constFirst());
}
