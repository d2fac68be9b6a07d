#include "setup/ui/OptionsSignaturesPage.h"

#include "base/Ui.h"
#include "settings/Settings.h"
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

namespace {

void showLines(QPlainTextEdit* text, const QStringList& lines)
{
    text->setPlainText(lines.join(u'\n'));
}

// An empty box is an empty signature, not one empty line.
QStringList linesOf(const QPlainTextEdit* text)
{
    const QString plain = text->toPlainText();
    return plain.isEmpty() ? QStringList() : plain.split(u'\n');
}

}  // namespace

OptionsSignaturesPage::OptionsSignaturesPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Signatures", dialog, services)
{
    QWidget* own = signatureEditor("Signature", Signature_);
    QWidget* forwarding = signatureEditor("FwdSignature", FwdSignature_);
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

QWidget* OptionsSignaturesPage::signatureEditor(const QString& name, QPlainTextEdit*& text)
{
    auto* panel = new QWidget(this);
    text = named<QPlainTextEdit>(name, panel);
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

void OptionsSignaturesPage::load(const Settings& s)
{
    OptionsPage::load(s);
    showLines(Signature_, s.Signature);
    showLines(FwdSignature_, s.FwdSignature);
}

void OptionsSignaturesPage::store(Settings& s) const
{
    OptionsPage::store(s);
    s.Signature = linesOf(Signature_);
    s.FwdSignature = linesOf(FwdSignature_);
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
