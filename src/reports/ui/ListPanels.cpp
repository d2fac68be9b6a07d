#include "reports/ui/ListPanels.h"

#include "reports/OtherViewButtons.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalBlocker>

GroupsPanel::GroupsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlGroups");
    auto* layout = new QHBoxLayout(this);
    lbxGroups_ = new QListWidget(this);
    lbxGroups_->setObjectName("lbxGroups");
    lbxGroups_->setMaximumHeight(110);
    rdbDisplay_ = new QRadioButton("Display the Following groups", this);
    rdbDisplay_->setObjectName("rdbDisplayGroups");
    rdbHide_ = new QRadioButton("Hide the following groups", this);
    rdbHide_->setObjectName("rdbHideGroups");
    rdbDisplay_->setChecked(true);
    auto* choice = new QVBoxLayout;
    choice->addWidget(rdbDisplay_);
    choice->addWidget(rdbHide_);
    choice->addStretch(1);
    layout->addLayout(choice);
    layout->addWidget(lbxGroups_, 1);
    connect(lbxGroups_, &QListWidget::itemChanged, this, [this] {
        if (!filling_ && onTicked)
            onTicked(ticked());
    });
    connect(rdbDisplay_, &QRadioButton::toggled, this, [this](bool on) {
        if (!filling_ && onDisplayChosen)
            onDisplayChosen(on);
    });
}

void GroupsPanel::setGroups(const QStringList& groups, const QList<bool>& ticked, bool display)
{
    filling_ = true;
    lbxGroups_->clear();
    for (int i = 0; i < groups.size(); ++i) {
        auto* item = new QListWidgetItem(groups[i], lbxGroups_);
        item->setCheckState(ticked.value(i) ? Qt::Checked : Qt::Unchecked);
    }
    (display ? rdbDisplay_ : rdbHide_)->setChecked(true);
    filling_ = false;
}

QList<bool> GroupsPanel::ticked() const
{
    QList<bool> out;
    for (int i = 0; i < lbxGroups_->count(); ++i)
        out << (lbxGroups_->item(i)->checkState() == Qt::Checked);
    return out;
}

SearchPanel::SearchPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlSearch");
    auto* layout = new QHBoxLayout(this);
    cmbSearchField_ = new QComboBox(this);
    cmbSearchField_->setObjectName("cmbSearchField");
    cmbSearchField_->addItems(searchFieldCaptions());
    cmbSearchField_->setCurrentIndex(0);  // an unset field is the first one
    edtSearch_ = new QLineEdit(this);
    edtSearch_->setObjectName("edtSearch");
    edtSearch_->setToolTip("Specify the text to search for (or leave blank to search for empty fields)");
    chkMatchCase_ = new QCheckBox("Match Case", this);
    chkMatchCase_->setObjectName("chkMatchCase");
    auto* search = new QPushButton("Search", this);
    search->setObjectName("btnSearch");
    btnSearchWithin_ = new QPushButton("Search within Results", this);
    btnSearchWithin_->setObjectName("btnSearchWithin");
    btnSearchWithin_->hide();
    for (QWidget* w : std::initializer_list<QWidget*>{cmbSearchField_, edtSearch_, chkMatchCase_, search,
                                                      btnSearchWithin_})
        layout->addWidget(w);
    const auto run = [this](bool within) {
        if (onSearch)
            onSearch(request(within));
    };
    connect(search, &QPushButton::clicked, this, [run] { run(false); });
    connect(edtSearch_, &QLineEdit::returnPressed, this, [run] { run(false); });
    connect(btnSearchWithin_, &QPushButton::clicked, this, [run] { run(true); });
}

SearchRequest SearchPanel::request(bool within) const
{
    return {cmbSearchField_->currentIndex(), edtSearch_->text(), chkMatchCase_->isChecked(), within};
}

void SearchPanel::offerWithin(bool offer) { btnSearchWithin_->setVisible(offer); }

OtherPanel::OtherPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlOther");
    auto* layout = new QHBoxLayout(this);
    cmbOtherSearch_ = new QComboBox(this);
    cmbOtherSearch_->setObjectName("cmbOtherSearch");
    for (int v = 0; v < kOtherViewCount; ++v)
        cmbOtherSearch_->addItem(otherViewCaption(OtherView(v)));
    cmbOtherSearch_->setCurrentIndex(-1);
    btnSelect_ = new QPushButton(this);
    btnSelect_->setObjectName("btnSelect");
    btnSelectAll_ = new QPushButton(this);
    btnSelectAll_->setObjectName("btnSelectAll");
    layout->addWidget(cmbOtherSearch_, 1);
    layout->addWidget(btnSelect_);
    layout->addWidget(btnSelectAll_);
    setView(std::nullopt);
    connect(cmbOtherSearch_, &QComboBox::currentIndexChanged, this, [this](int v) {
        if (v < 0)
            return;
        setView(OtherView(v));
        if (onViewChosen)
            onViewChosen(OtherView(v));
    });
    connect(btnSelect_, &QPushButton::clicked, this, [this] {
        if (onSelect)
            onSelect();
    });
    connect(btnSelectAll_, &QPushButton::clicked, this, [this] {
        if (onSelectAll)
            onSelectAll();
    });
}

void OtherPanel::setView(std::optional<OtherView> view)
{
    {
        const QSignalBlocker block(cmbOtherSearch_);
        cmbOtherSearch_->setCurrentIndex(view ? int(*view) : -1);
    }
    const OtherViewButtons buttons = view ? otherViewButtons(*view) : OtherViewButtons{};
    btnSelect_->setText(buttons.selectText);
    btnSelect_->setToolTip(buttons.selectHint);
    btnSelect_->setVisible(!buttons.selectText.isEmpty());
    btnSelectAll_->setText(buttons.allText);
    btnSelectAll_->setToolTip(buttons.allHint);
    btnSelectAll_->setVisible(!buttons.allText.isEmpty());
}
