#pragma once

#include <QByteArray>
#include <QList>
#include <array>
#include <vector>

class RtfTokenizer;

// The font, colour and style tables of an RTF document, and the outline levels its
// style names give. Each reader consumes the rest of its group, closing brace included.
class RtfDocumentTables {
public:
    static constexpr int kMaxFonts = 201;
    static constexpr int kMaxStyle = 300;

    void readFonts(RtfTokenizer& in);
    void readColours(RtfTokenizer& in);
    void readStyles(RtfTokenizer& in);

    // The face's name, escaped for an attribute; a number not in the table gives the
    // last entry; nullptr for an empty table.
    const QByteArray* fontName(int number) const;
    // 0xRRGGBB of position index, the last one past the end; -1 for an empty table.
    int colour(int index) const;
    // The control words a reference to the style brings in, ending in a space; empty
    // when none.
    QByteArray styleWords(int style) const;
    // The outline level (1 to 9) whose table-of-contents style it is, when that level
    // has a heading style; else 0.
    int tocLevel(int style) const;
    // The outline level whose heading style it is; else 0.
    int headingLevel(int style) const;

private:
    struct Style {
        bool defined = false;
        QList<QByteArray> words;  // each "\name" with its number
        QByteArray inserted;
    };
    void addStyle(int number, int basedOn, QList<QByteArray> words, const QByteArray& name);

    std::vector<std::pair<int, QByteArray>> fonts_;
    std::vector<int> colours_;
    std::array<Style, kMaxStyle + 1> styles_{};
    std::array<int, 10> tocStyle_ = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
    std::array<int, 10> headingStyle_ = {-1, -1, -1, -1, -1, -1, -1, -1, -1, -1};
};
