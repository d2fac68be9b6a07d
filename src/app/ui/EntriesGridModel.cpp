#include "app/ui/EntriesGridModel.h"

#include "store/EntriesTable.h"
#include "store/Entry.h"

#include <QLocale>

namespace {
const char* const kHeaders[] = {"E-mail", "Name", "Group", "Bounces", "Inserted"};
constexpr int kColumns = int(std::size(kHeaders));
}  // namespace

EntriesGridModel::EntriesGridModel(QObject* parent) : QAbstractTableModel(parent) {}

void EntriesGridModel::reset(EntriesTable* table, SqlFilter filter)
{
    beginResetModel();
    table_ = table;
    filter_ = std::move(filter);
    rows_.clear();
    atEnd_ = table_ == nullptr;
    endResetModel();
}

int EntriesGridModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : int(rows_.size());
}

int EntriesGridModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : kColumns;
}

QVariant EntriesGridModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_.size())
        return {};
    const Row& r = rows_.at(index.row());
    switch (index.column()) {
    case 0: return r.item;
    case 1: return r.name;
    case 2: return r.category;
    case 3: return r.bounces;
    case 4: return r.inserted;
    default: return {};
    }
}

QVariant EntriesGridModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section < 0 ||
        section >= kColumns)
        return QAbstractTableModel::headerData(section, orientation, role);
    return QString(kHeaders[section]);
}

bool EntriesGridModel::canFetchMore(const QModelIndex& parent) const
{
    return !parent.isValid() && !atEnd_;
}

void EntriesGridModel::fetchMore(const QModelIndex& parent)
{
    if (!canFetchMore(parent))
        return;
    QList<Row> chunk = readChunk();
    atEnd_ = chunk.size() < kChunk;
    if (chunk.isEmpty())
        return;
    beginInsertRows({}, int(rows_.size()), int(rows_.size() + chunk.size() - 1));
    rows_.append(chunk);
    endInsertRows();
}

QList<EntriesGridModel::Row> EntriesGridModel::readChunk() const
{
    // Goes on after the last row read (Item order, then Index), so each chunk costs
    // the same however far down the grid has scrolled.
    SqlFilter after = filter_;
    if (!rows_.isEmpty()) {
        const QString more = "(Item > ? OR (Item = ? AND \"Index\" > ?))";
        after.where = after.where.isEmpty() ? more : "(" + after.where + ") AND " + more;
        after.params << rows_.back().item << rows_.back().item << rows_.back().index;
    }
    QList<Row> chunk;
    const QLocale locale;
    table_->walk(after, [&](const Entry& e) {
        chunk.append({e.Index, e.Item, e.Name, e.Category, e.Bounces,
                      e.InsertDate.isValid() ? locale.toString(e.InsertDate, QLocale::ShortFormat)
                                             : QString()});
        return chunk.size() < kChunk;
    });
    return chunk;
}
