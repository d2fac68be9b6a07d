#pragma once

#include <QByteArray>
#include <string>
#include <vector>

// The current character and paragraph format of an RTF reader; a plain value, copied
// on entry to every group.
struct RtfFormat {
    enum class Scope { Text, Par, All };

    bool hidden = false;
    bool caps = false;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    bool superscript = false;
    bool subscript = false;
    bool strike = false;
    int font = -1;
    int colour = -1;  // 0xRRGGBB, -1 for none
    int size = -1;    // points
    bool right = false;
    bool centred = false;
    bool inTable = false;

    void reset(Scope scope);
    bool operator==(const RtfFormat&) const = default;
};

// The tags currently open, last opened last.
class RtfTagStack {
public:
    // Opens the format's tags into html: bold, italic, underline, sub, sup, strike,
    // colour, face, size. fontName is the face's name, already escaped; null for none.
    void open(const RtfFormat& format, const QByteArray* fontName, std::string& html);
    // Closes every open tag into html.
    void close(std::string& html);

private:
    std::vector<const char*> closing_;
};
