#include "sending/HtmlGeneration.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "sending/MessageComposition.h"
#include "sending/RtfWriter.h"
#include "sending/TemporaryMessageFile.h"
#include "util/RtfToHtml.h"
#include "util/TextFiles.h"

#include <QDir>
#include <QFile>
#include <QTextDocument>

namespace {

void logLines(Logs& logs, const QString& prefix, const QString& text)
{
    for (const QString& line : text.split(u'\n'))
        logs.AddToDebugLog(prefix + line);
}

}  // namespace

std::optional<QString> generateHtmlBody(const EditorContents& editor, MessageComposition& composition,
                                        bool forPreview, Logs& logs, Ui& ui)
{
    const auto step = [&logs](const QString& text) { logs.debug("GenerateHTML", text); };
    step("Commence");
    QString error;
    step("Temporary file names");
    const QString rtfFile = temporaryMessageFile(QStringLiteral(".rtf"));
    const QString htmlFile = temporaryMessageFile(QStringLiteral(".htm"));
    const auto generate = [&]() -> std::optional<QString> {
        step("Save RTF");
        // In plain-text mode the editor saves its text, which is then the body itself.
        const QString saved = editor.plainText ? editor.document.toPlainText() : writeRtf(editor.document);
        logLines(logs, "DEBUG: RTF> ", saved);
        if (rtfFile.isEmpty() || htmlFile.isEmpty() || !writeTextFileAtomically(rtfFile, saved.toUtf8())) {
            error = "Error encountered saving your message body";
            return std::nullopt;
        }
        step("Background colour: " + editor.backgroundColour);
        QString result = rtfFile;
        if (!editor.plainText) {
            step("Convert");
            const QString failure = ConvertRtfToHtml(rtfFile, htmlFile, {}, editor.backgroundColour, {},
                                                     [&logs](const QString& line) { logs.AddToDebugLog(line); });
            if (!failure.isEmpty()) {
                error = "Conversion Error (" + failure + ")";
                return std::nullopt;
            }
            result = htmlFile;
        }
        step("Load HTML");
        const std::optional<QString> loaded = readText(result, &error);
        if (!loaded)
            return std::nullopt;
        logLines(logs, "DEBUG: HTML> ", *loaded);
        step("Convert image tags");
        return composition.ConvertImageTags(*loaded, forPreview, QDir::tempPath());
    };
    const std::optional<QString> html = generate();
    if (!html)
        ui.inform("Error encountered generating your HTML: " + error);
    step("Delete temp files");
    for (const QString& file : {rtfFile, htmlFile})
        if (!file.isEmpty() && QFile::exists(file) && !QFile::remove(file))
            step("Error deleting temp files");
    step("End");
    return html;
}
