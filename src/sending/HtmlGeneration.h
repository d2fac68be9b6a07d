#pragma once

#include <QString>
#include <optional>

class Logs;
class MessageComposition;
class QTextDocument;
class Ui;

// What the editor holds when the HTML body is made from it.
struct EditorContents {
    const QTextDocument& document;
    bool plainText = false;    // the editor is in plain-text mode
    QString backgroundColour;  // "#RRGGBB", empty for the system's window colour
};

// GenerateHTML: the editor's text saved as RTF, converted to HTML and its image and
// link codes replaced. On failure the person is told why and nullopt comes back, so
// the body held before stays.
std::optional<QString> generateHtmlBody(const EditorContents& editor, MessageComposition& composition,
                                        bool forPreview, Logs& logs, Ui& ui);
