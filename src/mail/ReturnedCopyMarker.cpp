#include "mail/ReturnedCopyMarker.h"

#include <QString>
#include <QStringView>
#include <array>

namespace {

// The lines as they read once trimmed, in lower case. "original message" is also
// how some mail programs head a quoted reply; a reply quoting an earlier message is
// then taken as returning it, which only keeps the quote out of the own text.
constexpr std::array<QStringView, 14> kMarkers = {
    u"below this line is a copy of the message",                    // qmail
    u"this is a copy of the message, including all the headers",    // Exim
    u"this is a copy of the message's headers",                     // Exim, headers only
    u"unsent message follows",                                      // Sendmail
    u"original message follows",                                    // Sendmail, Lotus, others
    u"original message",                                            // several webmail systems
    u"returned message",                                            // Openwave and others
    u"the header of the original message is following",             // several German providers
    u"original message headers",                                    // Exchange
    u"message header follows",
    u"message headers follow",
    u"below is a copy of the original message",
    u"included is a copy of the message header",
    u"original mail as follows",
};

QString markerForm(const QString& line)
{
    auto trimmable = [](QChar c) { return c.isSpace() || c == u'-' || c == u'=' || c == u'+'; };
    qsizetype begin = 0, end = line.size();
    while (begin < end && trimmable(line[begin]))
        ++begin;
    while (end > begin && trimmable(line[end - 1]))
        --end;
    if (end > begin && (line[end - 1] == u'.' || line[end - 1] == u':'))
        --end;
    return line.mid(begin, end - begin).trimmed().toLower();
}

}  // namespace

qsizetype returnedCopyMarkerLine(const QStringList& lines)
{
    for (qsizetype at = 0; at < lines.size(); ++at) {
        // The longest marker is far shorter; a long line is text, not a marker.
        if (lines[at].size() > 120)
            continue;
        const QString form = markerForm(lines[at]);
        for (const QStringView marker : kMarkers)
            if (form == marker)
                return at;
    }
    return -1;
}
