#pragma once

#include "util/RtfDocumentTables.h"
#include "util/RtfFormat.h"
#include "util/RtfHtmlWriter.h"
#include "util/RtfLists.h"
#include "util/RtfTableWriter.h"
#include "util/RtfTokenizer.h"

#include <QIODevice>
#include <array>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

// Reads RTF from one device and writes HTML 3.2-style markup to another as it goes,
// in one pass, keeping one current format. Understands what rich-edit controls and
// common word processors write and skips the rest.
class RtfToHtmlConverter {
public:
    using DebugLine = std::function<void(const QString&)>;

    RtfToHtmlConverter(QIODevice& in, QIODevice& out, DebugLine debugLine);

    // Writes the whole document, finished even when the input breaks off. The error
    // text of a failed read or write, else empty. backgroundColour "#RRGGBB" or empty.
    QString convert(const QString& backgroundColour, const QString& title);

private:
    struct Group {
        RtfFormat format;
        int unicodeSkip;
    };

    void writeHead(const QString& backgroundColour, const QString& title);
    void process();
    void finish();
    void debug(const char* line);
    void conversionError(const char* prefix, const QString& text);

    void openGroup();
    bool closeGroup();
    void endDestination();
    void symbol(const RtfToken& token);
    void optionalDestination();
    void word(const RtfToken& token);
    bool destinationWord(int word, const RtfToken& token);
    void formattingWord(int word, const RtfToken& token);
    int number(const RtfToken& token, const char* prefix);
    void setFlag(bool& flag, bool on);
    void setValue(int& value, int to);

    void text(QByteArrayView run);
    void hex(const RtfToken& token);
    void unicode(int code);
    void character(char32_t c);
    void entity(std::string_view html);
    void beforeText();
    void putVisible(std::string_view html);
    void put(std::string_view html);
    void closeTags();

    void styleReference(const RtfToken& token);
    void paragraphEnd();
    void paragraphReset();
    void closeLists();
    void readNumbering();
    void tableWord(int word);

    RtfTokenizer in_;
    RtfHtmlWriter html_;
    RtfTableWriter table_;
    DebugLine debugLine_;
    RtfDocumentTables tables_;
    RtfTagStack tags_;
    RtfFormat format_;
    std::vector<Group> groups_;
    bool stopped_ = false;
    bool changed_ = false;
    bool paragraphStart_ = true;
    bool bookmarkWritten_ = false;
    bool widctlparPending_ = false;
    int linkLevel_ = 0;  // pending link or anchor of that outline level
    int anchorLevel_ = 0;
    bool linkOpen_ = false;
    std::array<int, 10> linkCount_{};
    std::array<int, 10> anchorCount_{};
    RtfLists lists_;
    int unicodeSkip_ = 1;
    int skipping_ = 0;
    char32_t highSurrogate_ = 0;
    qint64 inserted_ = 0;
    int errorsLogged_ = 0;
    std::string scratch_;  // reused for each piece of markup, so a character costs no allocation
};
