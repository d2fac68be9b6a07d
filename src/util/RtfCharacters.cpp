#include "util/RtfCharacters.h"

#include "util/TextFiles.h"

#include <QChar>
#include <QString>

char32_t windows1252Character(unsigned char byte)
{
    if (byte < 0x80 || byte > 0x9F)
        return byte;
    const char c = char(byte);
    return decodeWindows1252(QByteArrayView(&c, 1)).at(0).unicode();
}

namespace {

const char* namedEntity(char32_t c, bool caps)
{
    switch (c) {
    case 0xC4: return "&Auml;";
    case 0xD6: return "&Ouml;";
    case 0xDC: return "&Uuml;";
    case 0xE4: return caps ? "&Auml;" : "&auml;";
    case 0xF6: return caps ? "&Ouml;" : "&ouml;";
    case 0xFC: return caps ? "&Uuml;" : "&uuml;";
    case 0xDF: return "&szlig;";
    case 0xB7: return "&middot;";
    case '<': return "&lt;";
    case '>': return "&gt;";
    case '&': return "&amp;";
    default: return nullptr;
    }
}

void appendUtf8(char32_t c, std::string& html)
{
    if (c < 0x80) {
        html += char(c);
    } else if (c < 0x800) {
        html += char(0xC0 | (c >> 6));
        html += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        html += char(0xE0 | (c >> 12));
        html += char(0x80 | ((c >> 6) & 0x3F));
        html += char(0x80 | (c & 0x3F));
    } else {
        html += char(0xF0 | (c >> 18));
        html += char(0x80 | ((c >> 12) & 0x3F));
        html += char(0x80 | ((c >> 6) & 0x3F));
        html += char(0x80 | (c & 0x3F));
    }
}

}  // namespace

void appendHtmlCharacter(char32_t c, bool caps, std::string& html)
{
    if ((c < 0x20 && c != '\t') || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
        return;
    if (const char* entity = namedEntity(c, caps)) {
        html += entity;
        return;
    }
    if (caps && c >= 'a' && c <= 'z')
        c -= 'a' - 'A';
    else if (caps && c >= 0x80)
        c = QChar::toUpper(c);
    appendUtf8(c, html);
}

