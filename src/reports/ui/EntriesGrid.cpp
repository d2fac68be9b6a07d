#include "reports/ui/EntriesGrid.h"

#include "reports/EntriesGridModel.h"
#include "reports/GridColumns.h"
#include "reports/ui/ColumnSelector.h"
#include "settings/GridLayoutStore.h"
#include "store/SqlFilter.h"

#include <QApplication>
#include <QHeaderView>
#include <QKeyEvent>
#include <QMenu>
#include <QMouseEvent>

#include <algorithm>

EntriesGrid::EntriesGrid(QWidget* parent) : QTableView(parent), model_(new EntriesGridModel(this))
{
    setObjectName("dxDBGrid1");
    setModel(model_);
    setEditTriggers(NoEditTriggers);
    setSelectionBehavior(SelectRows);
    setSelectionMode(ExtendedSelection);  // batch commands work on several rows
    verticalHeader()->hide();
    QHeaderView* header = horizontalHeader();
    header->setSectionsMovable(true);
    header->setStretchLastSection(true);
    header->setSortIndicatorShown(true);
    header->setSortIndicator(-1, Qt::AscendingOrder);
    header->setSectionsClickable(true);
    header->setContextMenuPolicy(Qt::CustomContextMenu);
    for (int c = 0; c < gridColumnCount(); ++c)
        setColumnHidden(c, !gridColumns()[c].visibleAtFirst);
    connect(header, &QHeaderView::sectionClicked, this, &EntriesGrid::sortByColumn);
    connect(header, &QHeaderView::customContextMenuRequested, this, &EntriesGrid::showHeaderMenu);
}

void EntriesGrid::showEntries(Database* db, const QString& filter)
{
    db_ = db;
    filter_ = filter;
    if (!follows_)
        return;
    SqlFilter parsed;
    try {
        parsed = parseFilter(filter);
    } catch (const FilterError&) {
        db = nullptr;
    }
    model_->reset(db, std::move(parsed));
    horizontalHeader()->setSortIndicator(model_->sortColumn(), model_->sortOrder());
}

void EntriesGrid::setCacheLimit(int rows)
{
    model_->setCacheLimit(rows);
    showEntries(db_, filter_);
}

void EntriesGrid::setFollowsTable(bool follows)
{
    follows_ = follows;
    setUpdatesEnabled(follows);
}

qint64 EntriesGrid::rowTotal() const { return model_->rowCount(); }

void EntriesGrid::setEditing(bool on)
{
    model_->setEditing(on);
    setSelectionBehavior(on ? SelectItems : SelectRows);
    setEditTriggers(on ? (DoubleClicked | EditKeyPressed | AnyKeyPressed) : NoEditTriggers);
}

bool EntriesGrid::editing() const { return model_->editing(); }

void EntriesGrid::sortByColumn(int column)
{
    if (!model_->toggleSort(column)) {
        QApplication::beep();
    }
    horizontalHeader()->setSortIndicator(model_->sortColumn(), model_->sortOrder());
}

QList<qint64> EntriesGrid::selectedEntryIndexes() const
{
    QList<int> rows;
    for (const QModelIndex& i : selectionModel()->selectedIndexes())
        rows.append(i.row());
    std::sort(rows.begin(), rows.end());
    rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
    QList<qint64> indexes;
    for (int row : rows)
        indexes.append(model_->entryIndex(row));
    return indexes;
}

std::optional<Entry> EntriesGrid::currentEntry() const
{
    const QModelIndex current = currentIndex();
    if (!current.isValid())
        return std::nullopt;
    return model_->entryAt(current.row());
}

void EntriesGrid::goToFirst()
{
    if (model_->rowCount() > 0)
        setCurrentIndex(model_->index(0, horizontalHeader()->logicalIndex(0)));
}

void EntriesGrid::goToLast()
{
    if (model_->rowCount() > 0)
        setCurrentIndex(model_->index(model_->rowCount() - 1, horizontalHeader()->logicalIndex(0)));
}

QList<int> EntriesGrid::visibleColumnsInOrder() const
{
    QList<int> columns;
    const QHeaderView* header = horizontalHeader();
    for (int visual = 0; visual < header->count(); ++visual) {
        const int logical = header->logicalIndex(visual);
        if (!header->isSectionHidden(logical))
            columns << logical;
    }
    return columns;
}

QStringList EntriesGrid::visibleHeadings() const
{
    QStringList headings;
    for (int c : visibleColumnsInOrder())
        headings << QString::fromLatin1(gridColumns()[c].heading);
    return headings;
}

QStringList EntriesGrid::rowValues(int row) const
{
    QStringList values;
    for (int c : visibleColumnsInOrder())
        values << model_->displayText(row, c);
    return values;
}

void EntriesGrid::bestFit(int column) { resizeColumnToContents(column); }

void EntriesGrid::removeColumn(int column)
{
    // The last shown column stays: a grid without columns cannot bring one back.
    if (visibleColumnsInOrder().size() > 1)
        setColumnHidden(column, true);
}

void EntriesGrid::showColumnSelector()
{
    QList<bool> shown;
    for (int c = 0; c < gridColumnCount(); ++c)
        shown << !isColumnHidden(c);
    ColumnSelector selector(shown, this);
    connect(&selector, &ColumnSelector::columnToggled, this,
            [this](int column, bool show) { setColumnHidden(column, !show); });
    selector.exec();
}

void EntriesGrid::showHeaderMenu(const QPoint& at)
{
    const int column = horizontalHeader()->logicalIndexAt(at);
    if (column < 0)
        return;
    QMenu menu(this);
    menu.setObjectName("pmnuHeader");
    menu.addAction("Sort by this field", this, [this, column] { sortByColumn(column); });
    menu.addAction("&Remove This Column", this, [this, column] { removeColumn(column); });
    menu.addAction("Best &Fit", this, [this, column] { bestFit(column); });
    menu.addAction("Column Selector...", this, [this] { showColumnSelector(); });
    menu.exec(horizontalHeader()->mapToGlobal(at));
}

void EntriesGrid::keyPressEvent(QKeyEvent* event)
{
    const bool ctrl = event->modifiers() & Qt::ControlModifier;
    if (event->key() == Qt::Key_Delete && !(editing() && state() == EditingState)) {
        emit deleteRequested();
        return;
    }
    // The grid's own copying would copy cells, not the entries' address lines.
    if (ctrl && (event->key() == Qt::Key_C || event->key() == Qt::Key_K)) {
        emit copyRequested();
        return;
    }
    if (ctrl && event->key() == Qt::Key_Home) {
        goToFirst();
        return;
    }
    if (ctrl && event->key() == Qt::Key_End) {
        goToLast();
        return;
    }
    QTableView::keyPressEvent(event);
}

void EntriesGrid::mousePressEvent(QMouseEvent* event)
{
    const QModelIndex at = indexAt(event->position().toPoint());
    if (!editing() && event->button() == Qt::LeftButton && event->modifiers() == Qt::NoModifier &&
        at.isValid() && gridColumns()[at.column()].kind == GridColumn::Kind::Flag) {
        if (!model_->toggleFlag(at))
            QApplication::beep();
    }
    QTableView::mousePressEvent(event);
}

GridLayout EntriesGrid::currentLayout() const
{
    GridLayout layout;
    const QHeaderView* header = horizontalHeader();
    for (int c = 0; c < gridColumnCount(); ++c) {
        const int sorted = model_->sortColumn() != c ? 0 : model_->sortOrder() == Qt::AscendingOrder ? 1 : 2;
        layout.columns.append({QString::fromLatin1(gridColumns()[c].layoutKey), !header->isSectionHidden(c),
                               header->visualIndex(c), -1, header->sectionSize(c), sorted});
    }
    return layout;
}

void EntriesGrid::readLayout(const GridLayoutStore& store)
{
    QHeaderView* header = horizontalHeader();
    const GridLayout stored = store.load(currentLayout());
    QList<std::pair<int, int>> positions;  // (stored position, column)
    for (const GridColumnLayout& col : stored.columns) {
        const int c = gridColumnOf(QString(col.name).remove(QLatin1String("dxDBGrid1")));
        if (c < 0)
            continue;
        header->setSectionHidden(c, !col.Visible);
        if (col.Width > 0)
            header->resizeSection(c, col.Width);
        positions.append({col.Index, c});
        if (col.Sorted == 1 || col.Sorted == 2)
            model_->restoreSort(c, col.Sorted == 1 ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    // Placed from the first position on, each move leaves the earlier ones in place.
    std::sort(positions.begin(), positions.end());
    for (const auto& [position, column] : positions)
        if (position >= 0 && position < gridColumnCount())
            header->moveSection(header->visualIndex(column), position);
}

void EntriesGrid::saveLayout(GridLayoutStore& store) const
{
    store.save(currentLayout());
}
