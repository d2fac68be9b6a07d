#pragma once

#include <QWidget>

class QLabel;
class Session;
class WeeklyStatsPanel;

// The "Information" tab: entry and group counts, the database's name (with the
// link that renames it), its folder, and the last seven days' figures.
class InformationPanel : public QWidget {
    Q_OBJECT
public:
    explicit InformationPanel(QWidget* parent = nullptr);

    void refresh(Session& session);

signals:
    void renameRequested();

private:
    QLabel* lblEntries_;
    QLabel* lblGroups_;
    QLabel* lblDBName_;
    QLabel* lblFolder_;
    WeeklyStatsPanel* weeklyStats_;
};
