#pragma once

#include <QWidget>

class QLabel;
class Session;

// The "Information" tab: entry and group counts, the database's name (with the
// link that renames it) and its folder.
class InformationPanel : public QWidget {
    Q_OBJECT
public:
    explicit InformationPanel(QWidget* parent = nullptr);

    void refresh(const Session& session);

signals:
    void renameRequested();

private:
    QLabel* lblEntries_;
    QLabel* lblGroups_;
    QLabel* lblDBName_;
    QLabel* lblFolder_;
};
