#pragma once

#include <QString>
#include <QStringList>
#include <functional>

class QTextDocument;
class SpellChecker;

// What the person chose for one misspelt word.
struct SpellDecision {
    enum Kind { Change, Ignore, IgnoreAll, Cancel };
    Kind kind = Ignore;
    QString replacement;  // for Change
};
using SpellDecide = std::function<SpellDecision(const QString& word, const QStringList& suggestions)>;

// Walks the document's misspelt words in order and applies each decision in place, so
// a corrected word keeps the formatting of the word it replaces. False when cancelled.
bool spellCheckDocument(QTextDocument& document, SpellChecker& checker, const SpellDecide& decide);

// The same for one line of text (the subject); a line break the corrections leave at
// the end is dropped.
bool spellCheckLine(QString& line, SpellChecker& checker, const SpellDecide& decide);
