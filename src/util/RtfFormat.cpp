#include "util/RtfFormat.h"


void RtfFormat::reset(Scope scope)
{
    if (scope != Scope::Par) {
        hidden = caps = bold = italic = underline = superscript = subscript = strike = false;
        font = colour = size = -1;
    }
    if (scope != Scope::Text)
        right = centred = false;
    if (scope == Scope::All)
        inTable = false;
}

namespace {

const char* sizeValue(int points)
{
    if (points <= 8)
        return "-2";
    if (points <= 11)
        return "-1";
    if (points == 12)
        return "+0";
    if (points <= 15)
        return "+1";
    if (points <= 20)
        return "+2";
    if (points <= 28)
        return "+3";
    return "+4";
}

}  // namespace

void RtfTagStack::open(const RtfFormat& format, const QByteArray* fontName, std::string& html)
{
    const auto push = [&](bool on, const char* opening, const char* closing) {
        if (!on)
            return;
        html += opening;
        closing_.push_back(closing);
    };
    push(format.bold, "<B>", "</B>");
    push(format.italic, "<I>", "</I>");
    push(format.underline, "<U>", "</U>");
    push(format.subscript, "<SUB>", "</SUB>");
    push(format.superscript, "<SUP>", "</SUP>");
    push(format.strike, "<S>", "</S>");
    if (format.colour >= 0) {
        char rgb[] = "<FONT COLOR=\"#RRGGBB\">";
        for (int i = 0; i < 6; ++i)
            rgb[14 + i] = "0123456789ABCDEF"[(format.colour >> (20 - 4 * i)) & 0xF];
        html += rgb;
        closing_.push_back("</FONT>");
    }
    if (format.font >= 0 && fontName) {
        html += "<FONT FACE=\"";
        html.append(fontName->constData(), size_t(fontName->size()));
        html += "\">";
        closing_.push_back("</FONT>");
    }
    if (format.size >= 0) {
        html += "<FONT SIZE=";
        html += sizeValue(format.size);
        html += '>';
        closing_.push_back("</FONT>");
    }
}

void RtfTagStack::close(std::string& html)
{
    for (auto it = closing_.rbegin(); it != closing_.rend(); ++it)
        html += *it;
    closing_.clear();
}
