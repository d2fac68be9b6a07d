#pragma once

#include <QWidget>

class QChartView;
class QLabel;
class Session;

// "Last Seven Days:" of the information page: the week's subscribes,
// unsubscribes, bounces and movement, and beside them the list size by week as
// a bar chart. A statistics table that cannot be read shows empty figures.
class WeeklyStatsPanel : public QWidget {
    Q_OBJECT
public:
    explicit WeeklyStatsPanel(QWidget* parent = nullptr);

    void refresh(Session& session);

private:
    void clear();

    QLabel* lblSubscribes_;
    QLabel* lblUnsubscribes_;
    QLabel* lblBounces_;
    QLabel* lblMovement_;
    QChartView* chtListSize_;
};
