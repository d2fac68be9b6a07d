#include "util/RtfToHtml.h"

#include "util/RtfToHtmlConverter.h"

#include <QBuffer>
#include <QFile>

QString ConvertRtfToHtml(const QString& rtfPath, const QString& htmlPath, const QStringList& /*options*/,
                         const QString& backgroundColour, const QString& title,
                         const std::function<void(const QString&)>& debugLine)
{
    const auto debug = [&](const char* line) {
        if (debugLine)
            debugLine(QString::fromLatin1(line));
    };
    debug("DEBUG: [rtf2html] Commence");
    debug("DEBUG: [rtf2html] initialize variables");
    debug("DEBUG: [rtf2html] Load file");
    QFile in(rtfPath);
    QFile out(htmlPath);
    QString error;
    if (!in.open(QIODevice::ReadOnly))
        error = rtfPath + ": " + in.errorString();
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        debug("DEBUG: [rtf2html] End");
        return error.isEmpty() ? htmlPath + ": " + out.errorString() : error;
    }
    // An input that cannot be read still gives a finished, empty document.
    QBuffer nothing;
    nothing.open(QIODevice::ReadOnly);
    RtfToHtmlConverter converter(in.isOpen() ? static_cast<QIODevice&>(in) : nothing, out, debugLine);
    const QString failure = converter.convert(backgroundColour, title);
    if (error.isEmpty() && !failure.isEmpty())
        error = (in.error() != QFileDevice::NoError ? rtfPath : htmlPath) + ": " + failure;
    debug("DEBUG: [rtf2html] Close inFiles");
    in.close();
    debug("DEBUG: [rtf2html] Close outFiles");
    if (!out.flush() && error.isEmpty())
        error = htmlPath + ": " + out.errorString();
    out.close();
    debug("DEBUG: [rtf2html] Done closing");
    debug("DEBUG: [rtf2html] End");
    return error;
}

QString RtfTextToHtml(const QString& rtf)
{
    QByteArray bytes = rtf.toUtf8();
    QBuffer in(&bytes);
    in.open(QIODevice::ReadOnly);
    QBuffer out;
    out.open(QIODevice::WriteOnly);
    RtfToHtmlConverter(in, out, {}).convert({}, {});
    return QString::fromUtf8(out.data());
}
