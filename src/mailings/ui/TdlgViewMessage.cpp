#include "mailings/ui/TdlgViewMessage.h"

#include "mailings/SendLogTable.h"
#include "sending/TemporaryMessageFile.h"
#include "util/RtfToHtml.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QFile>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QLocale>
#include <QPushButton>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

namespace {

// A labelled read-only line: "lbl" and "edt" + name.
void addField(QFormLayout* form, const QString& name, const QString& label, const QString& text, QWidget* parent)
{
    auto* field = named<QLineEdit>("edt" + name, text, parent);
    field->setReadOnly(true);
    form->addRow(named<QLabel>("lbl" + name, label, parent), field);
}

}  // namespace

QString TdlgViewMessage::cannotView(const SendLogRecord& record)
{
    return record.Subject.isEmpty() && record.Body.isEmpty() ? QStringLiteral("No body or subject") : QString();
}

TdlgViewMessage::TdlgViewMessage(const SendLogRecord& record, QWidget* parent) : QDialog(parent)
{
    setObjectName("dlgViewMessage");
    setWindowTitle("View Message");
    resize(ScaleForScreen(600, this), ScaleForScreen(500, this));
    auto* layout = new QVBoxLayout(this);
    auto* fields = new QFormLayout;
    addField(fields, "Subject", "Subject:", record.Subject, this);
    addField(fields, "Recipients", "Recipients:", record.Recipients, this);
    addField(fields, "Count", "Count:", QString::number(record.RecipientCount), this);
    addField(fields, "Date", "Date:", QLocale().toString(record.Date, QLocale::ShortFormat), this);
    auto* attachments = named<QListWidget>("lbxAttachments", this);
    attachments->addItems(record.Attachments);
    attachments->setMaximumHeight(ScaleForScreen(70, this));
    fields->addRow(named<QLabel>("lblAttachments", "Attachments:", this), attachments);
    layout->addLayout(fields);

    brwBody_ = named<QTextBrowser>("brwBody", this);
    // A link in a logged message is not followed inside the viewer.
    brwBody_->setOpenLinks(false);
    layout->addWidget(brwBody_, 1);
    showBody(record);

    auto* buttons = new QHBoxLayout;
    auto* resend = named<QPushButton>("btnResend", "Resend this Message...", this);
    connect(resend, &QPushButton::clicked, this, &QDialog::accept);
    auto* close = named<QPushButton>("btnClose", "Close", this);
    close->setDefault(true);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(resend);
    buttons->addStretch();
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

TdlgViewMessage::~TdlgViewMessage()
{
    if (!htmlFile_.isEmpty())
        QFile::remove(htmlFile_);
}

void TdlgViewMessage::showBody(const SendLogRecord& record)
{
    if (record.CustomHTML) {
        // Rendered from a page of its own, as the preview shows a loaded page.
        htmlFile_ = TempHTMLFile();
        if (!htmlFile_.isEmpty() && writeTextFileAtomically(htmlFile_, record.Body.toUtf8())) {
            brwBody_->setSource(QUrl::fromLocalFile(htmlFile_));
            return;
        }
        brwBody_->setHtml(record.Body);
        return;
    }
    // A body that is not RTF after all is shown as it stands rather than mangled.
    if (record.IsHTML && record.Body.startsWith(QLatin1String("{\\rtf")))
        brwBody_->setHtml(RtfTextToHtml(record.Body));
    else
        brwBody_->setPlainText(record.Body);
}
