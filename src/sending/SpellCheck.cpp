#include "sending/SpellCheck.h"

#include "sending/SpellChecker.h"

#include <QTextCursor>
#include <QTextDocument>

bool spellCheckDocument(QTextDocument& document, SpellChecker& checker, const SpellDecide& decide)
{
    // Raw text positions are the document's own: block separators and image objects
    // count one character each, as they do for a cursor.
    int from = 0;
    for (;;) {
        const QString text = document.toRawText();
        const SpellChecker::Word word = checker.nextMisspelt(text, from);
        if (word.start < 0)
            return true;
        const QString spelt = text.mid(word.start, word.length);
        const SpellDecision decision = decide(spelt, checker.suggestions(spelt));
        switch (decision.kind) {
        case SpellDecision::Cancel:
            return false;
        case SpellDecision::IgnoreAll:
            checker.accept(spelt);
            [[fallthrough]];
        case SpellDecision::Ignore:
            from = word.start + word.length;
            break;
        case SpellDecision::Change: {
            QTextCursor cursor(&document);
            cursor.setPosition(word.start);
            cursor.setPosition(word.start + word.length, QTextCursor::KeepAnchor);
            cursor.insertText(decision.replacement);
            from = word.start + int(decision.replacement.size());
            break;
        }
        }
    }
}

bool spellCheckLine(QString& line, SpellChecker& checker, const SpellDecide& decide)
{
    QTextDocument document(line);
    const bool finished = spellCheckDocument(document, checker, decide);
    line = document.toPlainText();
    while (line.endsWith(u'\n') || line.endsWith(u'\r'))
        line.chop(1);
    return finished;
}
