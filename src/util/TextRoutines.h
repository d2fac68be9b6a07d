#pragma once

#include <QColor>
#include <QString>

// Small text routines shared by the whole program. Positions count from 1 in the
// callers' terms; here they are simply counts of characters.

// Blanks and control characters removed at both ends.
QString TrimText(const QString& text);

// The first n characters (none when n is 0 or less).
QString LeftPart(const QString& text, int n);
// The text without its first n characters; n of 0 or less changes nothing.
QString DropLeft(const QString& text, int n);
// The text after the first occurrence of the marker, found without regard to
// case; the whole text when the marker does not occur (or is empty).
QString TextAfter(const QString& text, const QString& marker);
// The part occurs in the text, without regard to case. An empty part matches
// nothing, so an unset keyword never matches every message.
bool ContainsText(const QString& text, const QString& part);

// Every occurrence of the part removed, searching again from the start after each
// removal (so removing "ab" from "aabb" leaves nothing).
QString RemoveAll(const QString& text, const QString& part);
// While the search text occurs, its first occurrence is replaced, searching again
// from the start each time; an empty replacement removes. An occurrence made only
// of text this call inserted is left alone, so a replacement that contains the
// search text ("a" -> "aa") ends instead of growing for ever.
QString ReplaceAll(const QString& text, const QString& search, const QString& replacement);

// The text contains "<HTML" or "<html" (other letter cases are not recognised).
bool LooksLikeHTML(const QString& text);

// "True" or "False".
QString BoolToText(bool value);
// The one reading of a stored truth value: "TRUE" gives true and "FALSE" false, in any
// letter case; anything else the default. Callers reading a file trim first.
bool TextToBool(const QString& text, bool defaultValue);
// The text when the condition holds, else empty.
QString IfText(bool condition, const QString& text);

// "#RRGGBB" in upper-case hexadecimal. Palette colours are resolved by the caller
// (QPalette gives their current value).
QString ColorToHTML(const QColor& colour);

// The whole part, plus one when there is a fractional part (for positive numbers).
int UpToWhole(double number);
