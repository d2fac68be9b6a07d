#include "addresses/NameAndAddress.h"

#include "util/TextRoutines.h"

QString CleanDisplayName(const QString& name)
{
    QString cleaned = TrimText(name);
    if (cleaned.contains(u'@'))
        return {};
    if (cleaned.startsWith(u'"'))
        cleaned.remove(0, 1);
    if (cleaned.endsWith(u'"'))
        cleaned.chop(1);
    return cleaned;
}

QString ReverseCommaName(const QString& name)
{
    const qsizetype comma = name.indexOf(u',');
    if (comma < 1)
        return name;
    return TrimText(name.sliced(comma + 1)) + u' ' + TrimText(name.first(comma));
}

void SplitNameAndAddress(QString& address, QString& name)
{
    name = CleanDisplayName(name);
    const qsizetype open = address.indexOf(u'<');
    if (open < 0)
        return;
    const QString namePart = TrimText(address.first(open));
    address.remove(u'>');
    address = TrimText(address.sliced(address.indexOf(u'<') + 1));
    if (name.isEmpty())
        name = CleanDisplayName(namePart);
    name = ReverseCommaName(name);
}

QString ExtractAddress(const QString& text)
{
    QString address = text;
    QString name;
    SplitNameAndAddress(address, name);
    return address;
}

QString FormatNameAndAddress(const QString& name, const QString& address)
{
    if (address.isEmpty())
        return {};
    if (name.isEmpty())
        return address;
    return name + QStringLiteral(" <") + address + u'>';
}

bool LooksLikeAddress(const QString& text)
{
    const qsizetype dot = text.indexOf(u'.');
    const qsizetype at = text.indexOf(u'@');
    return !text.isEmpty() && dot >= 1 && at >= 1 && at < text.size() - 1 && !text.contains(u' ');
}
