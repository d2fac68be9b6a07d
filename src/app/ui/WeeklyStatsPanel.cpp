#include "app/ui/WeeklyStatsPanel.h"

#include "app/Session.h"
#include "store/StatisticsFigures.h"
#include "store/StatisticsRecorder.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QChart>
#include <QChartView>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLocale>
#include <QValueAxis>

#include <algorithm>
#include <exception>

namespace {
QLabel* figureLabel(const QString& name, QWidget* parent)
{
    auto* l = new QLabel(parent);
    l->setObjectName(name);
    return l;
}

// A count axis ticks at whole numbers only: a round step (1, 2 or 5 times a power
// of ten) that takes at most five intervals to pass the highest bar.
void setCountRange(QValueAxis& axis, int highest)
{
    constexpr qint64 kMostIntervals = 5;
    qint64 step = 1;
    for (qint64 power = 1; step * kMostIntervals < highest; power *= 10) {
        for (const qint64 multiple : {1, 2, 5}) {
            step = multiple * power;
            if (step * kMostIntervals >= highest)
                break;
        }
    }
    const qint64 intervals = std::max<qint64>(1, (highest + step - 1) / step);
    axis.setRange(0, double(intervals * step));
    axis.setTickCount(int(intervals) + 1);
    axis.setLabelFormat("%d");
}

// The chart is rebuilt whole: a handful of bars, drawn only on a refresh.
void showBars(QChart& chart, const QList<ListSizeBar>& bars)
{
    chart.removeAllSeries();
    // A removed axis comes back to its caller's ownership: delete it, or every
    // refresh would leave one behind.
    for (QAbstractAxis* axis : chart.axes()) {
        chart.removeAxis(axis);
        delete axis;
    }
    auto* set = new QBarSet("List Size");
    QStringList days;
    int highest = 0;
    for (const ListSizeBar& bar : bars) {
        *set << bar.total;
        days << QLocale::system().toString(bar.day, QLocale::ShortFormat);
        highest = std::max(highest, bar.total);
    }
    auto* series = new QBarSeries;
    series->setObjectName("serListSize");
    series->append(set);
    chart.addSeries(series);
    auto* x = new QBarCategoryAxis;
    x->append(days);
    chart.addAxis(x, Qt::AlignBottom);
    series->attachAxis(x);
    auto* y = new QValueAxis;
    setCountRange(*y, highest);
    chart.addAxis(y, Qt::AlignLeft);
    series->attachAxis(y);
}
}  // namespace

WeeklyStatsPanel::WeeklyStatsPanel(QWidget* parent) : QWidget(parent)
{
    setObjectName("pnlWeeklyStats");
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(0, 0, 0, 0);
    auto* week = new QGroupBox("Last Seven Days:", this);
    week->setObjectName("grpLastSevenDays");
    auto* form = new QFormLayout(week);
    lblSubscribes_ = figureLabel("lblSubscribes", week);
    lblUnsubscribes_ = figureLabel("lblUnsubscribes", week);
    lblBounces_ = figureLabel("lblBounces", week);
    lblMovement_ = figureLabel("lblMovement", week);
    form->addRow("Subscribes:", lblSubscribes_);
    form->addRow("Unsubscribes:", lblUnsubscribes_);
    form->addRow("Bounces:", lblBounces_);
    form->addRow("Movement:", lblMovement_);
    row->addWidget(week);

    chtListSize_ = new QChartView(this);
    chtListSize_->setObjectName("chtListSize");
    chtListSize_->chart()->legend()->hide();
    chtListSize_->setMinimumSize(320, 200);
    row->addWidget(chtListSize_, 1);
}

void WeeklyStatsPanel::clear()
{
    for (QLabel* l : {lblSubscribes_, lblUnsubscribes_, lblBounces_, lblMovement_})
        l->clear();
    showBars(*chtListSize_->chart(), {});
}

void WeeklyStatsPanel::refresh(Session& session)
{
    if (!session.db.isOpen()) {
        clear();
        return;
    }
    QList<DailyStatRow> rows;
    try {
        rows = readDailyStatRows(session.db.database());
    } catch (const std::exception&) {
        clear();
        return;
    }
    const QDate today = QDate::currentDate();
    const SevenDaySummary week = lastSevenDays(rows, today, session.db.entryCount());
    lblSubscribes_->setText(QString::number(week.subscribes));
    lblUnsubscribes_->setText(QString::number(week.unsubscribes));
    lblBounces_->setText(QString::number(week.bounces));
    lblMovement_->setText(movementText(week.movement));
    showBars(*chtListSize_->chart(), listSizeSeries(rows, today));
}
