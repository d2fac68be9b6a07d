#include "setup/ui/EntryListRules.h"

#include "base/Ui.h"

#include <QSet>
#include <algorithm>
#include <optional>

namespace {

// false when the person chose to drop the line.
bool replaceAfterAsking(Ui& ui, QString& line, QChar character, const QString& name)
{
    if (!line.contains(character))
        return true;
    if (!ui.askOkCancel("An entry contains a " + name + ".  The " + name +
                            " character is not supported and will be converted to an underscore "
                            "character (_)",
                        Ui::Icon::Information))
        return false;
    line.replace(character, u'_');
    return true;
}

std::optional<QString> itemOf(Ui& ui, const QString& typed, const EntryListForm& form)
{
    QString line = typed.trimmed();
    if (line.isEmpty())
        return std::nullopt;
    if (form.noCommas && !replaceAfterAsking(ui, line, u',', "comma"))
        return std::nullopt;
    if (form.noSpaces && !replaceAfterAsking(ui, line, u' ', "space"))
        return std::nullopt;
    if (form.lowerCase)
        line = line.toLower();
    if (form.upperCase)
        line = line.toUpper();
    return line;
}

}  // namespace

QStringList EditedEntries(Ui& ui, const QStringList& lines, const EntryListForm& form)
{
    QStringList items;
    QSet<QString> seen;  // case-folded: a blocked list may hold many thousands
    for (const QString& typed : lines) {
        const std::optional<QString> item = itemOf(ui, typed, form);
        if (item && !seen.contains(item->toCaseFolded())) {
            seen.insert(item->toCaseFolded());
            items << *item;
        }
    }
    std::stable_sort(items.begin(), items.end(), [](const QString& a, const QString& b) {
        return QString::compare(a, b, Qt::CaseInsensitive) < 0;
    });
    return items;
}
