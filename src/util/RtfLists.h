#pragma once

#include <QtGlobal>
#include <string>

class RtfTokenizer;

// Lists and paragraph numbering: the open list levels (indent levels and bullet
// lists), the bullet item to come, the paragraph number and its texts. Markup is
// appended to the html handed in.
class RtfLists {
public:
    // Adds to the paragraph's indent and opens a list level per 285 twips of it.
    void indent(int twips, std::string& html);
    // What a paragraph's first character brings: its list item or its number.
    void beforeText(bool paragraphStart, std::string& html);
    // The paragraph ended; true when it was not a bullet item (a line break ends it).
    bool paragraphEnd(std::string& html);
    // A paragraph reset: lists closed, numbering and indent forgotten.
    void reset(std::string& html);
    void close(std::string& html);
    // The paragraph numbering group, read to its closing brace; false when the input ended first.
    bool readNumbering(RtfTokenizer& in, std::string& html);

private:
    void startBullet(std::string& html);
    std::string prefix() const;

    int depth_ = 0;
    qint64 indent_ = 0;
    bool bullet_ = false;
    bool bulletPending_ = false;
    bool numbered_ = false;
    bool styleKnown_ = false;
    bool prefixPending_ = false;
    qint64 number_ = -1;
    std::string textBefore_;
    std::string textAfter_;
};
