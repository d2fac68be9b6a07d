#include "exchange/ExportColumns.h"

#include "store/Entry.h"

namespace {

struct ColumnFacts {
    const char* heading;
    const char* caption;
    QString Entry::*field;
};

const std::array<ColumnFacts, kExportColumnCount> kColumns{{
    {"E-mail", "Email", &Entry::Item},
    {"Group", "Group", &Entry::Category},
    {"Full Name", "Full Name", &Entry::Name},
    {"First Name", "First Name", &Entry::Salutation},
    {"Surname", "Surname", &Entry::Surname},
    {"Company", "Company", &Entry::Company},
    {"Address", "Address", &Entry::Address},
    {"City", "City", &Entry::City},
    {"State", "State", &Entry::State},
    {"ZIP", "ZIP", &Entry::ZIP},
    {"Country", "Country", &Entry::Country},
}};

const ColumnFacts& facts(ExportColumn column) { return kColumns.at(static_cast<size_t>(column)); }

}  // namespace

QString exportHeading(ExportColumn column) { return QString::fromLatin1(facts(column).heading); }

QString exportCaption(ExportColumn column) { return QString::fromLatin1(facts(column).caption); }

std::optional<ExportColumn> exportColumnNamed(const QString& heading)
{
    const QString wanted = heading.trimmed();
    for (int i = 0; i < kExportColumnCount; ++i)
        if (wanted.compare(QLatin1String(kColumns[i].heading), Qt::CaseInsensitive) == 0)
            return exportColumnAt(i);
    return std::nullopt;
}

QString exportValue(const Entry& entry, ExportColumn column) { return entry.*facts(column).field; }

void setExportValue(Entry& entry, ExportColumn column, const QString& value) { entry.*facts(column).field = value; }
