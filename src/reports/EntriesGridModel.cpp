#include "reports/EntriesGridModel.h"

#include "reports/GridColumns.h"
#include "store/Database.h"
#include "store/EntriesTable.h"
#include "store/SqliteConnection.h"
#include "store/StoreError.h"
#include "store/UnicodeCollation.h"

#include <QLocale>
#include <algorithm>
#include <numeric>

namespace {
const Entry& noEntry()
{
    static const Entry none;
    return none;
}

bool isFlag(int column) { return gridColumns().value(column).kind == GridColumn::Kind::Flag; }

bool isEditable(int column)
{
    const GridColumn::Kind kind = gridColumns()[column].kind;
    return kind == GridColumn::Kind::Text || kind == GridColumn::Kind::Number || kind == GridColumn::Kind::Flag;
}

// Sorts the row numbers by a column, ties by Index so the order is the same every
// time; the rows themselves stay where they are, as moving a million whole entries
// costs more than comparing them. The comparison is spelt out per kind of column:
// a million rows take some twenty million comparisons.
template <class Compare> void sortBy(QList<int>& order, const QList<Entry>& rows, bool ascending, Compare compare)
{
    if (ascending)
        std::sort(order.begin(), order.end(), [&](int i, int j) {
            const Entry& a = rows[i];
            const Entry& b = rows[j];
            const int cmp = compare(a, b);
            return cmp != 0 ? cmp < 0 : a.Index < b.Index;
        });
    else
        std::sort(order.begin(), order.end(), [&](int i, int j) {
            const Entry& a = rows[i];
            const Entry& b = rows[j];
            const int cmp = compare(b, a);
            return cmp != 0 ? cmp < 0 : b.Index < a.Index;
        });
}
}  // namespace

EntriesGridModel::EntriesGridModel(QObject* parent) : QAbstractTableModel(parent) {}

bool EntriesGridModel::holds(const QModelIndex& index) const
{
    // Views ask about invalid indexes as a matter of course: no warning for those.
    return index.isValid() && index.model() == this && index.row() < total_ && index.column() < gridColumnCount();
}

void EntriesGridModel::reset(Database* db, SqlFilter filter)
{
    beginResetModel();
    db_ = db;
    filter_ = std::move(filter);
    rows_.clear();
    shown_.clear();
    windowStart_ = 0;
    total_ = 0;
    if (cacheLimit_ > 0) {
        if (sortColumn_ >= 0 && !gridColumns()[sortColumn_].indexed)
            sortColumn_ = -1;
        order_ = Qt::AscendingOrder;
    }
    if (db_) {
        if (cacheLimit_ > 0)
            total_ = int(db_->entries().count(filter_));
        else
            loadAll();
    }
    endResetModel();
}

void EntriesGridModel::loadAll()
{
    rows_.reserve(db_->entries().count(filter_));
    db_->entries().walk(filter_, [this](const Entry& e) {
        rows_.append(e);
        return true;
    });
    total_ = int(rows_.size());
    shown_.resize(total_);
    std::iota(shown_.begin(), shown_.end(), 0);
    sortLoaded();
}

void EntriesGridModel::sortLoaded()
{
    // Unsorted, the rows stay in the walk's E-mail order.
    const int column = sortColumn_;
    if (column < 0)
        return;
    const bool ascending = order_ == Qt::AscendingOrder;
    if (QString Entry::*const field = gridTextField(column))
        sortByText(field, ascending);
    else if (column == gridColumnOf("Bounces"))
        sortBy(shown_, rows_, ascending, [](const Entry& a, const Entry& b) { return a.Bounces - b.Bounces; });
    else
        sortBy(shown_, rows_, ascending, [column](const Entry& a, const Entry& b) {
            const auto order = QVariant::compare(gridValue(a, column), gridValue(b, column));
            return order == QPartialOrdering::Less ? -1 : order == QPartialOrdering::Greater ? 1 : 0;
        });
}

void EntriesGridModel::sortByText(QString Entry::*field, bool ascending)
{
    struct Keyed {
        NoCasePrefix prefix;
        int row;
    };
    QList<Keyed> keyed;
    keyed.reserve(shown_.size());
    for (int row : std::as_const(shown_))
        keyed.append({noCasePrefix(rows_[row].*field), row});
    const auto before = [&](const Keyed& a, const Keyed& b) {
        int cmp = compareNoCasePrefixes(a.prefix, b.prefix);
        if (cmp == 0)
            cmp = unicodeNoCase(rows_[a.row].*field, rows_[b.row].*field);
        return cmp != 0 ? cmp < 0 : rows_[a.row].Index < rows_[b.row].Index;
    };
    if (ascending)
        std::sort(keyed.begin(), keyed.end(), before);
    else
        std::sort(keyed.begin(), keyed.end(), [&](const Keyed& a, const Keyed& b) { return before(b, a); });
    for (qsizetype i = 0; i < keyed.size(); ++i)
        shown_[i] = keyed[i].row;
}

bool EntriesGridModel::toggleSort(int column)
{
    if (column < 0 || column >= gridColumnCount())
        return false;
    if (cacheLimit_ > 0) {
        if (!gridColumns()[column].indexed)
            return false;
        sortColumn_ = sortColumn_ == column ? -1 : column;
        order_ = Qt::AscendingOrder;
        refresh();
        return true;
    }
    order_ = sortColumn_ == column && order_ == Qt::AscendingOrder ? Qt::DescendingOrder : Qt::AscendingOrder;
    sortColumn_ = column;
    emit layoutAboutToBeChanged({}, QAbstractItemModel::VerticalSortHint);
    sortLoaded();
    emit layoutChanged({}, QAbstractItemModel::VerticalSortHint);
    return true;
}

void EntriesGridModel::restoreSort(int column, Qt::SortOrder order)
{
    sortColumn_ = column >= 0 && column < gridColumnCount() ? column : -1;
    order_ = order;
}

QString EntriesGridModel::orderBy() const
{
    // The text fields' declared collation is the one their indexes were built in.
    if (sortColumn_ < 0)
        return QStringLiteral(" ORDER BY \"Index\"");
    return QStringLiteral(" ORDER BY %1, \"Index\"").arg(QLatin1String(gridColumns()[sortColumn_].field));
}

void EntriesGridModel::ensureWindow(int row) const
{
    if (row >= windowStart_ && row < windowStart_ + rows_.size())
        return;
    // A little of what lies before the row comes along, for a grid scrolling back.
    const int start = std::max(0, row - cacheLimit_ / 4);
    QList<qint64> indexes;
    {
        Statement s(db_->connection(), QStringLiteral("SELECT \"Index\" FROM mailist") +
                                           (filter_.where.isEmpty() ? QString() : " WHERE " + filter_.where) +
                                           orderBy() + QStringLiteral(" LIMIT ? OFFSET ?"));
        s.bindAll(filter_.params + QVariantList{cacheLimit_, start});
        while (s.step())
            indexes.append(s.integer64(0));
    }
    rows_.clear();
    rows_.reserve(indexes.size());
    for (qint64 index : indexes) {
        // A row deleted by another copy since the count leaves an empty line.
        std::optional<Entry> e = db_->entries().byIndex(index);
        rows_.append(e ? *e : Entry{});
    }
    windowStart_ = start;
}

const Entry& EntriesGridModel::entryAt(int row) const
{
    if (row < 0 || row >= total_)
        return noEntry();
    if (cacheLimit_ > 0) {
        ensureWindow(row);
        if (row - windowStart_ >= rows_.size())
            return noEntry();
        return rows_[row - windowStart_];
    }
    return rows_[shown_[row]];
}

QString EntriesGridModel::displayText(int row, int column) const
{
    const QVariant value = gridValue(entryAt(row), column);
    switch (gridColumns().value(column).kind) {
    case GridColumn::Kind::Flag:
        return value.toBool() ? QStringLiteral("True") : QStringLiteral("False");
    case GridColumn::Kind::Date:
        return value.isNull() ? QString() : QLocale().toString(value.toDate(), QLocale::ShortFormat);
    case GridColumn::Kind::DateTime:
        return value.toDateTime().isValid() ? QLocale().toString(value.toDateTime(), QLocale::ShortFormat)
                                            : QString();
    default:
        return value.toString();
    }
}

int EntriesGridModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : total_; }

int EntriesGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : gridColumnCount();
}

QVariant EntriesGridModel::data(const QModelIndex& index, int role) const
{
    if (!holds(index))
        return {};
    const int column = index.column();
    if (isFlag(column)) {
        if (role == Qt::CheckStateRole)
            return gridValue(entryAt(index.row()), column).toBool() ? Qt::Checked : Qt::Unchecked;
        return {};
    }
    if (role == Qt::EditRole)
        return gridValue(entryAt(index.row()), column);
    if (role == Qt::DisplayRole)
        return displayText(index.row(), column);
    return {};
}

QVariant EntriesGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || section < 0 || section >= gridColumnCount() || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString::fromLatin1(gridColumns()[section].heading);
}

Qt::ItemFlags EntriesGridModel::flags(const QModelIndex& index) const
{
    if (!holds(index))
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled | Qt::ItemNeverHasChildren;
    if (editing_ && isEditable(index.column()))
        f |= isFlag(index.column()) ? Qt::ItemIsUserCheckable : Qt::ItemIsEditable;
    return f;
}

bool EntriesGridModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!editing_ || !holds(index) || !isEditable(index.column()))
        return false;
    const bool flag = isFlag(index.column());
    if (flag != (role == Qt::CheckStateRole) || (!flag && role != Qt::EditRole))
        return false;
    Entry changed = entryAt(index.row());
    const QVariant v = flag ? QVariant(value.toInt() == Qt::Checked) : value;
    if (changed.Index == 0 || !setGridValue(changed, index.column(), v) || !save(index.row(), changed))
        return false;
    emit dataChanged(index, index);
    return true;
}

bool EntriesGridModel::toggleFlag(const QModelIndex& index)
{
    if (!holds(index) || !isFlag(index.column()))
        return false;
    Entry changed = entryAt(index.row());
    if (changed.Index == 0 || !setGridValue(changed, index.column(), !gridValue(changed, index.column()).toBool()) ||
        !save(index.row(), changed))
        return false;
    emit dataChanged(index, index, {Qt::CheckStateRole});
    return true;
}

bool EntriesGridModel::save(int row, const Entry& changed)
{
    try {
        db_->entries().post(changed);
    } catch (const StoreError&) {
        return false;
    }
    if (cacheLimit_ > 0) {
        ensureWindow(row);
        rows_[row - windowStart_] = changed;
    } else {
        rows_[shown_[row]] = changed;
    }
    return true;
}
