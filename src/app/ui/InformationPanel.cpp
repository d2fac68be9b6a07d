#include "app/ui/InformationPanel.h"

#include "app/Session.h"
#include "app/ui/WeeklyStatsPanel.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>

namespace {
QLabel* valueLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    return l;
}
}  // namespace

InformationPanel::InformationPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlInformation");
    auto* form = new QFormLayout(this);
    lblEntries_ = valueLabel("lblEntries", this);
    lblGroups_ = valueLabel("lblGroups", this);
    lblDBName_ = valueLabel("lblDBName", this);
    lblFolder_ = valueLabel("lblFolder", this);

    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(lblDBName_);
    auto* rename = new QLabel("<a href=\"rename\">Change...</a>", this);
    rename->setObjectName("lnkDBName");
    connect(rename, &QLabel::linkActivated, this, &InformationPanel::renameRequested);
    nameRow->addWidget(rename);
    nameRow->addStretch();

    form->addRow("Entries:", lblEntries_);
    form->addRow("Groups:", lblGroups_);
    form->addRow("DB Name:", nameRow);
    form->addRow("Folder:", lblFolder_);
    weeklyStats_ = new WeeklyStatsPanel(this);
    form->addRow(weeklyStats_);
}

void InformationPanel::refresh(Session& session)
{
    const bool open = session.db.isOpen();
    lblEntries_->setText(QString::number(open ? session.db.entryCount() : 0));
    lblGroups_->setText(QString::number(session.settings.Cats.size()));
    lblDBName_->setText(open ? session.db.databaseName() : QString());
    lblFolder_->setText(open ? session.db.resolvedFolder() : QString());
    weeklyStats_->refresh(session);
}
