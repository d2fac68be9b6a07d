#include "subscriptions/ui/TfrmExtractentries.h"

#include "subscriptions/CurrentMessage.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {
template <typename Field>
Field* hiddenField(const char* name, QWidget* holder)
{
    auto* field = new Field(holder);
    field->setObjectName(name);
    holder->layout()->addWidget(field);
    return field;
}
}  // namespace

TfrmExtractentries::TfrmExtractentries(const QString& heading, QWidget* parent) : QDialog(parent)
{
    setObjectName("frmExtractentries");
    setWindowTitle(heading);
    setWindowModality(Qt::ApplicationModal);
    auto* layout = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    auto* label = new QLabel(heading, this);
    label->setObjectName("lblHeading");
    top->addWidget(label, 1);
    auto* close = new QPushButton("x", this);
    close->setObjectName("btnx");
    close->setAutoDefault(false);
    connect(close, &QPushButton::clicked, this, &TfrmExtractentries::reject);
    top->addWidget(close);
    layout->addLayout(top);
    gauge_ = new QProgressBar(this);
    gauge_->setObjectName("Gauge1");
    gauge_->setRange(0, 100);
    gauge_->setValue(0);
    layout->addWidget(gauge_);

    auto* holder = new QWidget(this);
    holder->setObjectName("pnlMessage");
    new QVBoxLayout(holder);
    edtsubject = hiddenField<QLineEdit>("edtsubject", holder);
    edtdate = hiddenField<QLineEdit>("edtdate", holder);
    edtsender = hiddenField<QLineEdit>("edtsender", holder);
    edtsendername = hiddenField<QLineEdit>("edtsendername", holder);
    edtemail = hiddenField<QLineEdit>("edtemail", holder);
    edtname = hiddenField<QLineEdit>("edtname", holder);
    edtcategory = hiddenField<QLineEdit>("edtcategory", holder);
    chkdoadd = hiddenField<QCheckBox>("chkdoadd", holder);
    edtFirstRecipient = hiddenField<QLineEdit>("edtFirstRecipient", holder);
    Memo1 = hiddenField<QPlainTextEdit>("Memo1", holder);
    lbxAttach = hiddenField<QListWidget>("lbxAttach", holder);
    holder->hide();
    layout->addWidget(holder);
}

void TfrmExtractentries::setGauge(int percent)
{
    gauge_->setValue(qBound(0, percent, 100));
}

void TfrmExtractentries::showMessage(const CurrentMessage& message)
{
    edtsubject->setText(message.edtsubject);
    edtdate->setText(message.edtdate);
    edtsender->setText(message.edtsender);
    edtsendername->setText(message.edtsendername);
    edtemail->setText(message.edtemail);
    edtname->setText(message.edtname);
    edtcategory->setText(message.edtcategory);
    chkdoadd->setChecked(message.chkdoadd);
    edtFirstRecipient->setText(message.edtFirstRecipient);
    Memo1->setPlainText(message.Memo1.join('\n'));
    lbxAttach->clear();
    lbxAttach->addItems(message.lbxAttach);
}

// The "x", Escape and the title bar's close all stop the pass without a question;
// the pass closes the window when it has stopped.
void TfrmExtractentries::reject()
{
    cancelled_ = true;
}

std::unique_ptr<CheckWindow> TfrmExtractentries::open(const QString& heading, QWidget* parent)
{
    auto window = std::make_unique<TfrmExtractentries>(heading, parent);
    window->show();
    return window;
}
