#pragma once

#include "reports/EntrySearch.h"
#include "reports/ViewFilters.h"

#include <QWidget>
#include <functional>

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;

// The "Select Groups" panel: the group list with a tick per group and the choice
// between showing and hiding the ticked groups.
class GroupsPanel : public QWidget {
    Q_OBJECT
public:
    explicit GroupsPanel(QWidget* parent = nullptr);
    void setGroups(const QStringList& groups, const QList<bool>& ticked, bool display);
    QList<bool> ticked() const;

    std::function<void(const QList<bool>& ticked)> onTicked;  // a click in the list
    std::function<void(bool display)> onDisplayChosen;

private:
    QListWidget* lbxGroups_;
    QRadioButton* rdbDisplay_;
    QRadioButton* rdbHide_;
    bool filling_ = false;
};

// The "Search Mailing List" panel.
class SearchPanel : public QWidget {
    Q_OBJECT
public:
    explicit SearchPanel(QWidget* parent = nullptr);
    SearchRequest request(bool within) const;
    // "Search within Results" is offered once there are hits to narrow.
    void offerWithin(bool offer);

    std::function<void(const SearchRequest&)> onSearch;

private:
    QComboBox* cmbSearchField_;
    QLineEdit* edtSearch_;
    QCheckBox* chkMatchCase_;
    QPushButton* btnSearchWithin_;
};

// The "Other" panel: the special view's choice and its two buttons.
class OtherPanel : public QWidget {
    Q_OBJECT
public:
    explicit OtherPanel(QWidget* parent = nullptr);
    void setView(std::optional<OtherView> view);

    std::function<void(OtherView)> onViewChosen;
    std::function<void()> onSelect;     // the selected rows
    std::function<void()> onSelectAll;  // every entry, or every displayed one

private:
    QComboBox* cmbOtherSearch_;
    QPushButton* btnSelect_;
    QPushButton* btnSelectAll_;
};
