#include "setup/ui/OptionsSignaturesPage.h"

#include "base/Ui.h"
#include "settings/Settings.h"
#include "setup/ui/OptionsControls.h"
#include "setup/ui/OptionsServices.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QFileDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

OptionsSignaturesPage::OptionsSignaturesPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Signatures", dialog, services)
{
    QWidget* own = signatureEditor(bindings().lines("Signature", &Settings::Signature));
    QWidget* forwarding = signatureEditor(bindings().lines("FwdSignature", &Settings::FwdSignature));
    QCheckBox* onForward =
        bindings().check("SigOnForward", "Add the following signature to messages sent by users:");
    forwarding->setEnabled(false);
    connect(onForward, &QCheckBox::toggled, forwarding, &QWidget::setEnabled);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel("Signature added to messages sent to the list:", this));
    layout->addWidget(own);
    layout->addWidget(onForward);
    layout->addWidget(forwarding);
}

QWidget* OptionsSignaturesPage::signatureEditor(QPlainTextEdit* text)
{
    auto* panel = new QWidget(this);
    const QString name = text->objectName();
    auto* paste = named<QPushButton>("btnPaste" + name, "Paste", panel);
    auto* load = named<QPushButton>("btnLoad" + name, "Load..", panel);
    connect(paste, &QPushButton::clicked, this, [this, text] { this->paste(text); });
    connect(load, &QPushButton::clicked, this, [this, text] { loadFile(text); });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(paste);
    buttons->addWidget(load);
    auto* layout = new QVBoxLayout(panel);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(text);
    layout->addLayout(buttons);
    return panel;
}

void OptionsSignaturesPage::paste(QPlainTextEdit* text)
{
    // Text copied from a Windows program ends its lines with CR LF.
    const QString clipboard = QApplication::clipboard()->text().replace("\r\n", "\n");
    if (clipboard.isEmpty()) {
        services().ui.warn("Clipboard does not contain text!");
        return;
    }
    text->setPlainText(clipboard);
}

void OptionsSignaturesPage::loadFile(QPlainTextEdit* text)
{
    const QString file = QFileDialog::getOpenFileName(this, {}, {}, "Text Files (*.txt)");
    if (file.isEmpty())
        return;
    const std::optional<QStringList> lines = readTextLines(file);
    if (!lines) {
        services().ui.warn("Load Error");
        return;
    }
    showLines(text, *lines);
}
