#include "reports/GridColumns.h"

#include "store/Entry.h"

using Kind = GridColumn::Kind;

const QList<GridColumn>& gridColumns()
{
    static const QList<GridColumn> columns = {
        {"E-mail", "Item", "dxDBGrid1Item", Kind::Text, true, true},
        {"Full Name", "Name", "dxDBGrid1Name", Kind::Text, true, true},
        {"Group", "Category", "dxDBGrid1Category", Kind::Text, true, true},
        {"Bounces", "Bounces", "dxDBGrid1Bounces", Kind::Number, true, true},
        {"Details", "Comments", "dxDBGrid1Comments", Kind::Text, false, false},
        {"Insert Date", "InsertDate", "dxDBGrid1InsertDate", Kind::DateTime, false, false},
        {"First Name", "Salutation", "dxDBGrid1Salutation", Kind::Text, false, false},
        {"Surname", "Surname", "dxDBGrid1Surname", Kind::Text, false, false},
        {"Company", "Company", "dxDBGrid1Company", Kind::Text, false, false},
        {"Address", "Address", "dxDBGrid1Address", Kind::Text, false, false},
        {"City", "City", "dxDBGrid1City", Kind::Text, false, false},
        {"State", "State", "dxDBGrid1State", Kind::Text, false, false},
        {"ZIP", "ZIP", "dxDBGrid1ZIP", Kind::Text, false, false},
        {"Country", "Country", "dxDBGrid1Country", Kind::Text, false, false},
        {"Can Send", "SendRights", "dxDBGrid1SendRights", Kind::Flag, false, false},
        {"New User", "NewUser", "dxDBGrid1NewUser", Kind::Flag, false, false},
        {"Tagged", "Tagged", "dxDBGrid1Tagged", Kind::Flag, false, false},
        {"Last Bounce", "LastBounce", "dxDBGrid1LastBounce", Kind::Date, false, false},
    };
    return columns;
}

int gridColumnCount() { return int(gridColumns().size()); }

int gridColumnOf(const QString& field)
{
    for (int c = 0; c < gridColumnCount(); ++c)
        if (field.compare(QLatin1String(gridColumns()[c].field), Qt::CaseInsensitive) == 0)
            return c;
    return -1;
}

QString Entry::*gridTextField(int column)
{
    // The field of each text column, in the columns' order; null for the others.
    QString Entry::*const fields[] = {&Entry::Item,       &Entry::Name,    &Entry::Category, nullptr,
                                       &Entry::Comments,   nullptr,         &Entry::Salutation, &Entry::Surname,
                                       &Entry::Company,    &Entry::Address, &Entry::City,     &Entry::State,
                                       &Entry::ZIP,        &Entry::Country};
    return column >= 0 && column < int(std::size(fields)) ? fields[column] : nullptr;
}

namespace {
// For a const entry and a writable one alike.
template <class E> auto textField(E& e, int column) -> decltype(&e.Item)
{
    QString Entry::*const field = gridTextField(column);
    return field ? &(e.*field) : nullptr;
}

template <class E> auto flagField(E& e, int column) -> decltype(&e.Tagged)
{
    switch (column) {
    case 14: return &e.SendRights;
    case 15: return &e.NewUser;
    case 16: return &e.Tagged;
    default: return nullptr;
    }
}
}  // namespace


QVariant gridValue(const Entry& entry, int column)
{
    if (const QString* text = textField(entry, column))
        return *text;
    if (const bool* flag = flagField(entry, column))
        return *flag;
    switch (column) {
    case 3: return entry.Bounces;
    case 5: return entry.InsertDate;
    case 17: return entry.LastBounce ? QVariant(*entry.LastBounce) : QVariant();
    default: return {};
    }
}

bool setGridValue(Entry& entry, int column, const QVariant& value)
{
    if (QString* text = textField(entry, column)) {
        *text = value.toString();
        return true;
    }
    if (bool* flag = flagField(entry, column)) {
        *flag = value.toBool();
        return true;
    }
    if (column == 3) {
        bool ok = false;
        const int n = value.toInt(&ok);
        if (ok)
            entry.Bounces = n;
        return ok;
    }
    return false;
}
