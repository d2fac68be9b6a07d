#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>

// The characters that end an address candidate while text is scanned:
// code 1, space, ! " # % & ' ( ) * , / : ; < = > ? [ \ ] ^ ` { | } and the acute
// accent U+00B4. Everything else (letters, digits, $ + - . @ _ ~, tab, other
// control characters, other non-ASCII characters) can belong to a candidate.
constexpr std::array<bool, 256> makeAddressStopChars()
{
    std::array<bool, 256> stops{};
    for (const char16_t c : u"\x01 !\"#%&'()*,/:;<=>?[\\]^`{|}\u00B4")
        stops[c] = true;
    stops[0] = false;  // the literal's terminator is not a stop character
    return stops;
}
inline constexpr std::array<bool, 256> AddressStopChars = makeAddressStopChars();

constexpr bool isAddressStopChar(char16_t c)
{
    return c < AddressStopChars.size() && AddressStopChars[c];
}

// An accepted candidate must be shorter than this.
constexpr qsizetype ExtractedAddressLimit = 60;

// Scans one line and appends every address it accepts, in order of appearance.
// Candidates are checked with the exception list applied.
void ScanLineForAddresses(QStringView line, const QStringList& exceptList, QStringList& found);

// Clears `found`, then scans every line in order. The same address may appear
// several times; callers that need unique addresses remove duplicates.
void extractemailaddresses(const QStringList& lines, const QStringList& exceptList, QStringList& found);

// As scanning each line of `text` in turn (lines end at LF, CR or CR LF), without
// splitting it: only lines that hold an '@' are looked at. Appends to `found`.
void scanTextForAddresses(QStringView text, const QStringList& exceptList, QStringList& found);

// Splits a recipient field of several addresses separated by ';' into single,
// trimmed addresses; a text without ';' is appended unchanged. Nothing is validated.
void addemailaddresses(const QString& text, QStringList& found);
