#pragma once

#include <QString>
#include <QStringList>
#include <array>
#include <optional>

struct Entry;

// The eleven columns a list is written out with and read back by, in their fixed
// order. Export, backup, print and the multi-column import all name columns this
// way, so a file written by one reads back through the other.
enum class ExportColumn { Email, Group, FullName, FirstName, Surname, Company, Address, City, State, ZIP, Country };

inline constexpr int kExportColumnCount = 11;
using ExportColumnFlags = std::array<bool, kExportColumnCount>;

// The heading written in the file ("E-mail", "Group", "Full Name", ...).
QString exportHeading(ExportColumn column);
// The caption of the export dialog's check list ("Email", "Group", ...).
QString exportCaption(ExportColumn column);
// The column whose heading is the text, compared without regard to case.
std::optional<ExportColumn> exportColumnNamed(const QString& heading);

QString exportValue(const Entry& entry, ExportColumn column);
void setExportValue(Entry& entry, ExportColumn column, const QString& value);

inline ExportColumn exportColumnAt(int position) { return static_cast<ExportColumn>(position); }
