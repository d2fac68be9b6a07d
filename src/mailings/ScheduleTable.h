#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <optional>

class SqliteConnection;

// One scheduled sending, fields in table order.
struct ScheduleRow {
    int Index = 0;
    QString BatchName;
    QDateTime StartDate;
    QDateTime NextSend;
    int Frequency = 0;  // minutes between batches; 0: each batch is started by hand
    int SendCount = 0;  // recipients per batch; 0: all of them
    int RecipientTotal = 0;
    int RecipientSent = 0;
    QString Subject;
    QString Body;
    bool HTML = false;
    bool Customized = false;
    QString Attachments;
    int SendType = 0;
    QByteArray SendTable;
    int Status = 0;
    QString SendTableFile;
};

namespace ScheduleStatus {
inline constexpr int NotStarted = 0;
inline constexpr int Processing = 1;
inline constexpr int Completed = 5;
inline constexpr int Cancelled = 7;
inline constexpr int ErrorEncountered = 9;
inline constexpr int OnHold = 11;
}  // namespace ScheduleStatus

// Day numbers that NextSend holds instead of a real time; only their date counts.
namespace ScheduleMarker {
inline constexpr int AllSent = 15;
inline constexpr int WaitsForHand = 17;  // the next batch waits to be started by hand
inline constexpr int Manual = 19;        // the whole schedule waits to be started by hand
}  // namespace ScheduleMarker

// The date-time a marker is stored as: midnight of its day number.
QDateTime scheduleMarker(int marker);
// The marker whose day the date-time falls on; nullopt for a real time.
std::optional<int> markerOf(const QDateTime& nextSend);

// The schedule table "mailschd.dat", through the database's connection on which
// it is attached. Every failure is a StoreError.
class ScheduleTable {
public:
    explicit ScheduleTable(SqliteConnection& connection);

    // The new row's Index.
    int append(const ScheduleRow& row);
    std::optional<ScheduleRow> read(int index);
    // Writes every field of the row with its Index; false when there is no such row.
    bool update(const ScheduleRow& row);
    bool remove(int index);
    // In table order; hideCompleted keeps only rows that are still to run
    // (Processing, Not Started, Error Encountered).
    QList<ScheduleRow> rows(bool hideCompleted = false);
    qint64 count();

    SqliteConnection& connection() { return db_; }

private:
    QString name() const;

    SqliteConnection& db_;
};
