#pragma once

#include <QString>

// An address line is a bare address, or a display name followed by the address
// in angle brackets. These routines take such lines apart and build them.

// Trims blanks and control characters; a name holding '@' is no name and becomes
// empty; otherwise one leading and then one trailing double quote are dropped.
QString CleanDisplayName(const QString& name);

// "Smith, John" gives "John Smith": the text after the first comma, a space, and
// the text before it. A name without a comma, or with the comma first, is kept.
QString ReverseCommaName(const QString& name);

// Splits `address` (a line as above) into the bare address and the display name.
// A name passed in, once cleaned, wins over the one in the text.
void SplitNameAndAddress(QString& address, QString& name);

// The bare address of an address line.
QString ExtractAddress(const QString& text);

// name + " <" + address + ">", or the bare address without a name; nothing without an address.
QString FormatNameAndAddress(const QString& name, const QString& address);

// The quick plausibility test (not the admission check): non-empty, no space, the
// first '.' and the first '@' not first, and the '@' not last.
bool LooksLikeAddress(const QString& text);
