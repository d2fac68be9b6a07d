#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>

#include <array>
#include <functional>

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

// Finds addresses in text handed on piece by piece, cut anywhere (even inside an
// address), exactly as scanning each whole line would, in time linear in the text
// and in memory bounded whatever the text: a candidate is held only up to the
// length an accepted one can have. Lines end at LF or CR.
class AddressScanner {
public:
    using Found = std::function<void(const QString& address)>;
    AddressScanner(const QStringList& exceptList, Found found);

    void feed(QStringView text);
    // The end of the text also ends its last line.
    void finish();

private:
    enum class Mode { BeforeAt, AfterAt, SkipLine };
    void appendToCandidate(QStringView run);
    void endCandidate();
    void endLine();
    void clearCandidate();

    const QStringList exceptList_;
    Found found_;
    Mode mode_ = Mode::BeforeAt;
    bool lineStarted_ = false;
    qint64 leadingUnderscores_ = 0;  // counted, not held: a long run is cut off
    QString body_;                   // the candidate after them, up to the limit
    bool tooLong_ = false;
};

// Scans one line and appends every address it accepts, in order of appearance.
// Candidates are checked with the exception list applied.
void ScanLineForAddresses(QStringView line, const QStringList& exceptList, QStringList& found);

// Clears `found`, then scans every line in order. The same address may appear
// several times; callers that need unique addresses remove duplicates.
void extractemailaddresses(const QStringList& lines, const QStringList& exceptList, QStringList& found);

// As scanning each line of `text` in turn (lines end at LF, CR or CR LF), without
// splitting it. Appends to `found`.
void scanTextForAddresses(QStringView text, const QStringList& exceptList, QStringList& found);

// Splits a recipient field of several addresses separated by ';' into single,
// trimmed addresses; a text without ';' is appended unchanged. Nothing is validated.
void addemailaddresses(const QString& text, QStringList& found);
