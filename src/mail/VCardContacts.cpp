#include "mail/VCardContacts.h"

#include "mail/MailErrors.h"
#include "util/TextFiles.h"

#include <QFile>
#include <QStringDecoder>
#include <QUrl>
#include <algorithm>
#include <optional>

namespace {

struct Property {
    QByteArray name;           // upper-case, any "group." prefix dropped
    QList<QByteArray> params;  // as written: "TYPE=work", "CHARSET=utf-8", "QUOTED-PRINTABLE"
    QByteArray value;
};

qsizetype indexOutsideQuotes(const QByteArray& line, char wanted, qsizetype from = 0)
{
    bool quoted = false;
    for (qsizetype i = from; i < line.size(); ++i) {
        if (line[i] == '"')
            quoted = !quoted;
        else if (line[i] == wanted && !quoted)
            return i;
    }
    return -1;
}

QList<QByteArray> splitOutsideQuotes(const QByteArray& text, char separator)
{
    QList<QByteArray> parts;
    qsizetype start = 0;
    for (qsizetype at = indexOutsideQuotes(text, separator); at >= 0;
         at = indexOutsideQuotes(text, separator, start)) {
        parts << text.mid(start, at - start);
        start = at + 1;
    }
    parts << text.mid(start);
    return parts;
}

bool isQuotedPrintable(const QByteArray& head)
{
    return head.toUpper().contains("QUOTED-PRINTABLE");
}

// vCard 2.1 quoted-printable values continue after a line that ends in "=" (a soft
// line break), whatever the next line starts with.
bool continuesQuotedPrintable(const QByteArray& line)
{
    if (!line.endsWith('='))
        return false;
    const qsizetype colon = indexOutsideQuotes(line, ':');
    return colon >= 0 && isQuotedPrintable(line.left(colon));
}

// Physical lines joined into properties: a line starting with a space or tab
// continues the one before (RFC 6350 folding, also written by 2.1 tools).
QList<QByteArray> logicalLines(const QByteArray& bytes)
{
    QList<QByteArray> lines;
    for (QByteArray line : bytes.split('\n')) {
        if (line.endsWith('\r'))
            line.chop(1);
        if (!lines.isEmpty() && continuesQuotedPrintable(lines.last())) {
            lines.last().chop(1);
            lines.last() += line;
        } else if (!lines.isEmpty() && (line.startsWith(' ') || line.startsWith('\t'))) {
            lines.last() += line.mid(1);
        } else {
            lines << line;
        }
    }
    return lines;
}

std::optional<Property> parseProperty(const QByteArray& line)
{
    const qsizetype colon = indexOutsideQuotes(line, ':');
    if (colon < 0)
        return std::nullopt;
    QList<QByteArray> head = splitOutsideQuotes(line.left(colon), ';');
    QByteArray name = head.takeFirst().trimmed().toUpper();
    name = name.mid(name.lastIndexOf('.') + 1);
    return Property{name, head, line.mid(colon + 1)};
}

QByteArray paramValue(const Property& p, const QByteArray& key)
{
    const QByteArray prefix = key + '=';
    for (const QByteArray& param : p.params)
        if (param.trimmed().toUpper().startsWith(prefix))
            return param.trimmed().mid(prefix.size()).replace('"', QByteArray());
    return {};
}

QString decodedValue(const Property& p)
{
    QByteArray bytes = p.value;
    if (std::any_of(p.params.begin(), p.params.end(), isQuotedPrintable))
        bytes = QByteArray::fromPercentEncoding(bytes, '=');
    const QByteArray charset = paramValue(p, "CHARSET");
    if (!charset.isEmpty()) {
        QStringDecoder decoder(charset.constData());
        if (decoder.isValid())
            return decoder.decode(bytes);
    }
    return decodeText(bytes);
}

// The parts of a structured value (N's family;given;...), each with its
// backslash escapes undone.
QStringList components(const QString& value)
{
    QStringList parts{QString()};
    for (qsizetype i = 0; i < value.size(); ++i) {
        const QChar c = value[i];
        if (c == ';') {
            parts << QString();
        } else if (c == '\\' && i + 1 < value.size()) {
            const QChar next = value[++i];
            parts.last() += (next == 'n' || next == 'N') ? QChar('\n') : next;
        } else {
            parts.last() += c;
        }
    }
    return parts;
}

QString nameFromStructuredName(const QString& value)
{
    const QStringList n = components(value);
    // N is family;given;additional;prefix;suffix; a person reads them in this order.
    QStringList shown;
    for (const int index : {3, 1, 2, 0, 4})
        if (const QString part = n.value(index).trimmed(); !part.isEmpty())
            shown << part;
    return shown.join(' ');
}

QString mailtoAddress(const QString& value)
{
    const QString trimmed = value.trimmed();
    if (!trimmed.startsWith("mailto:", Qt::CaseInsensitive))
        return {};
    const QString address = trimmed.mid(7).section('?', 0, 0);
    return QUrl::fromPercentEncoding(address.toUtf8()).trimmed();
}

class CardBuilder {
public:
    void add(const Property& p)
    {
        if (p.name == "FN" && fullName_.isEmpty())
            fullName_ = components(decodedValue(p)).join(';').trimmed();
        else if (p.name == "N" && structuredName_.isEmpty())
            structuredName_ = nameFromStructuredName(decodedValue(p));
        else if (p.name == "EMAIL")
            addAddress(addresses_, components(decodedValue(p)).join(';').trimmed());
        else if (p.name == "KIND" || p.name == "X-ADDRESSBOOKSERVER-KIND")
            isGroup_ = isGroup_ || decodedValue(p).trimmed().compare("group", Qt::CaseInsensitive) == 0;
        else if (p.name == "MEMBER" || p.name == "X-ADDRESSBOOKSERVER-MEMBER")
            addAddress(members_, mailtoAddress(decodedValue(p)));
    }

    VCardContact card() const
    {
        VCardContact c;
        c.fullName = fullName_.isEmpty() ? structuredName_ : fullName_;
        c.addresses = addresses_;
        c.isGroup = isGroup_;
        if (isGroup_)
            c.addresses += members_;
        return c;
    }

private:
    static void addAddress(QStringList& to, const QString& address)
    {
        if (!address.isEmpty())
            to << address;
    }

    QString fullName_, structuredName_;
    QStringList addresses_, members_;
    bool isGroup_ = false;
};

bool isCardBoundary(const Property& p, const char* name)
{
    return p.name == name && p.value.trimmed().toUpper() == "VCARD";
}

}  // namespace

QList<VCardContact> readVCardFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw mailError(cannotReadText(path, file.errorString()));

    QList<VCardContact> cards;
    std::optional<CardBuilder> open;
    for (const QByteArray& line : logicalLines(file.readAll())) {
        const std::optional<Property> p = parseProperty(line);
        if (!p)
            continue;
        if (isCardBoundary(*p, "BEGIN")) {
            open.emplace();  // a card still open never ended: it is dropped
        } else if (isCardBoundary(*p, "END")) {
            if (open)
                cards << open->card();
            open.reset();
        } else if (open) {
            open->add(*p);
        }
    }
    return cards;
}
