#include "mailings/SendListModel.h"

#include <algorithm>
#include <exception>
#include <limits>

namespace {

constexpr int kPagesKept = 8;

}  // namespace

SendListModel::SendListModel(const SendListTable& table, QObject* parent)
    : QAbstractTableModel(parent), table_(table)
{
    try {
        count_ = int(std::min<qint64>(table_.count(), std::numeric_limits<int>::max()));
    } catch (const std::exception&) {
        count_ = 0;  // a table that cannot be read shows as empty
    }
}

int SendListModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : count_;
}

int SendListModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : ColumnCount;
}

QVariant SendListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    switch (section) {
    case Email: return QStringLiteral("E-mail");
    case FullName: return QStringLiteral("Full Name");
    case MessageSent: return QStringLiteral("Message Sent");
    case Outcome: return QStringLiteral("Outcome");
    default: return {};
    }
}

QVariant SendListModel::data(const QModelIndex& index, int role) const
{
    if (!checkIndex(index, CheckIndexOption::IndexIsValid) || role != Qt::DisplayRole)
        return {};
    const SendListRow* r = row(index.row());
    if (!r)
        return {};
    switch (index.column()) {
    case Email: return r->Item;
    case FullName: return r->Name;
    case MessageSent: return r->Sent ? QStringLiteral("Yes") : QStringLiteral("No");
    case Outcome: return r->outcome.display();
    default: return {};
    }
}

const SendListRow* SendListModel::row(int r) const
{
    const QList<SendListRow>& rows = page(r / kPageSize);
    const int at = r % kPageSize;
    return at < rows.size() ? &rows[at] : nullptr;
}

const QList<SendListRow>& SendListModel::page(int p) const
{
    if (auto found = pages_.constFind(p); found != pages_.constEnd()) {
        recentPages_.removeOne(p);
        recentPages_ << p;
        return *found;
    }
    // The pages before it tell where it starts; a jump far down reads them once.
    while (pageStarts_.size() <= p) {
        const QList<SendListRow> before = readPage(int(pageStarts_.size()) - 1);
        if (before.size() < kPageSize)
            break;
        pageStarts_ << before.last().Item;
    }
    QList<SendListRow> rows = p < pageStarts_.size() ? readPage(p) : QList<SendListRow>();
    if (p + 1 == pageStarts_.size() && rows.size() == kPageSize)
        pageStarts_ << rows.last().Item;
    if (recentPages_.size() >= kPagesKept)
        pages_.remove(recentPages_.takeFirst());
    recentPages_ << p;
    return *pages_.insert(p, std::move(rows));
}

QList<SendListRow> SendListModel::readPage(int p) const
{
    try {
        return table_.rowsAfter(pageStarts_[p], kPageSize, SendListTable::Rows::All);
    } catch (const std::exception&) {
        return {};  // its cells stay blank
    }
}
