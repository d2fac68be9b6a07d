#include "app/ui/EntriesGrid.h"

#include "app/ui/EntriesGridModel.h"
#include "settings/GridLayoutStore.h"
#include "store/SqlFilter.h"

#include <QHeaderView>

#include <algorithm>

namespace {
// The stored column names of the grid's columns, in the model's order.
const QStringList& columnKeys()
{
    static const QStringList keys = {"dxDBGrid1Item", "dxDBGrid1Name", "dxDBGrid1Category",
                                     "dxDBGrid1Bounces", "dxDBGrid1InsertDate"};
    return keys;
}
}  // namespace

EntriesGrid::EntriesGrid(QWidget* parent) : QTableView(parent), model_(new EntriesGridModel(this))
{
    setObjectName("dxDBGrid1");
    setModel(model_);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);  // batch commands work on several rows
    verticalHeader()->hide();
    horizontalHeader()->setSectionsMovable(true);
    horizontalHeader()->setStretchLastSection(true);
}

void EntriesGrid::showEntries(EntriesTable* table, const QString& filter)
{
    SqlFilter parsed;
    try {
        parsed = parseFilter(filter);
    } catch (const FilterError&) {
        table = nullptr;
    }
    model_->reset(table, std::move(parsed));
    if (model_->canFetchMore({}))
        model_->fetchMore({});
}

qint64 EntriesGrid::loadedRows() const
{
    return model_->rowCount();
}

QList<qint64> EntriesGrid::selectedEntryIndexes() const
{
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedRows())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    QList<qint64> indexes;
    for (int row : rows)
        indexes.append(model_->entryIndex(row));
    return indexes;
}

QString EntriesGrid::currentItem() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->entryItem(current.row()) : QString();
}

QString EntriesGrid::currentCategory() const
{
    const QModelIndex current = currentIndex();
    return current.isValid() ? model_->entryCategory(current.row()) : QString();
}

GridLayout EntriesGrid::currentLayout() const
{
    GridLayout layout;
    const QHeaderView* header = horizontalHeader();
    for (int c = 0; c < columnKeys().size(); ++c)
        layout.columns.append({columnKeys()[c], !header->isSectionHidden(c),
                               header->visualIndex(c), -1, header->sectionSize(c), 0});
    return layout;
}

void EntriesGrid::readLayout(const GridLayoutStore& store)
{
    QHeaderView* header = horizontalHeader();
    const GridLayout stored = store.load(currentLayout());
    for (const GridColumnLayout& col : stored.columns) {
        const int c = int(columnKeys().indexOf(col.name));
        if (c < 0)
            continue;
        header->setSectionHidden(c, !col.Visible);
        if (col.Width > 0)
            header->resizeSection(c, col.Width);
        if (col.Index >= 0 && col.Index < columnKeys().size())
            header->moveSection(header->visualIndex(c), col.Index);
    }
}

void EntriesGrid::saveLayout(GridLayoutStore& store) const
{
    store.save(currentLayout());
}
