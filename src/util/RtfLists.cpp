#include "util/RtfLists.h"

#include "util/RtfCharacters.h"
#include "util/RtfTokenizer.h"

namespace {

constexpr int kMaxDepth = 20;
constexpr int kTwipsPerLevel = 285;
constexpr size_t kMaxNumberText = 256;

bool isNumberStyle(std::string_view name)
{
    return name == "pndec" || name == "pncard" || name == "pnucltr" || name == "pnucrm" || name == "pnlcltr" ||
           name == "pnlcrm" || name == "pnord" || name == "pnordt";
}

void readNumberText(RtfTokenizer& in, std::string& into)
{
    into.clear();
    for (RtfToken token = in.next(); token.kind != RtfToken::End; token = in.next()) {
        if (token.kind == RtfToken::Close)
            return;
        if (token.kind == RtfToken::Open)
            in.skipGroup();
        if (into.size() >= kMaxNumberText)
            continue;
        if (token.kind == RtfToken::Hex && token.hex >= 0)
            appendHtmlCharacter(windows1252Character(uchar(token.hex)), false, into);
        else if (token.kind == RtfToken::Text)
            for (const char c : token.text)
                appendHtmlCharacter(windows1252Character(uchar(c)), false, into);
    }
}

}  // namespace

void RtfLists::indent(int twips, std::string& html)
{
    indent_ += twips;
    for (; depth_ < kMaxDepth && qint64(depth_ + 1) * kTwipsPerLevel < indent_; ++depth_)
        html += "<UL>";
}

void RtfLists::beforeText(bool paragraphStart, std::string& html)
{
    if (bulletPending_) {
        html += "<LI type=disc>";
        bulletPending_ = false;
    }
    if (numbered_ && paragraphStart && prefixPending_) {
        html += prefix();
        prefixPending_ = false;
    }
}

bool RtfLists::paragraphEnd(std::string& html)
{
    if (bullet_) {
        if (!bulletPending_)
            html += "</LI>";
        bulletPending_ = true;
        return false;
    }
    if (numbered_) {
        if (number_ >= 0)
            ++number_;
        prefixPending_ = true;
    }
    return true;
}

void RtfLists::reset(std::string& html)
{
    close(html);
    numbered_ = styleKnown_ = prefixPending_ = false;
    number_ = -1;
    textBefore_.clear();
    textAfter_.clear();
    indent_ = 0;
}

void RtfLists::close(std::string& html)
{
    if (bullet_ && !bulletPending_)
        html += "</LI>";
    for (; depth_ > 0; --depth_)
        html += "</UL>";
    bullet_ = bulletPending_ = false;
}

void RtfLists::startBullet(std::string& html)
{
    if (depth_ < kMaxDepth) {
        ++depth_;
        html += "<UL>";
    }
    html += "<LI type=disc>";
    bullet_ = true;
    bulletPending_ = false;
}

std::string RtfLists::prefix() const
{
    return textBefore_ + (number_ >= 0 ? std::to_string(number_) : std::string()) + textAfter_;
}

bool RtfLists::readNumbering(RtfTokenizer& in, std::string& html)
{
    for (RtfToken token = in.next(); token.kind != RtfToken::End; token = in.next()) {
        if (token.kind == RtfToken::Close) {
            if (numbered_)
                html += prefix();
            return true;
        }
        if (token.kind == RtfToken::Open) {
            const RtfToken first = in.next();
            if (first.kind == RtfToken::Word && first.name == "pntxtb") {
                readNumberText(in, textBefore_);
            } else if (first.kind == RtfToken::Word && first.name == "pntxta") {
                readNumberText(in, textAfter_);
            } else if (first.kind != RtfToken::Close) {
                if (first.kind == RtfToken::Open)
                    in.skipGroup();
                in.skipGroup();
            }
            continue;
        }
        if (token.kind != RtfToken::Word)
            continue;
        const std::string_view name = token.name;
        if (name == "pnlvlblt" || (name == "pnlvl" && token.param >= 5 && token.param <= 9))
            startBullet(html);
        else if (name == "pnlvlbody")
            numbered_ = true;
        else if (name == "pnlvlcont" || (name == "pnlvl" && token.param >= 1 && token.param <= 4))
            numbered_ = false;
        else if (isNumberStyle(name))
            styleKnown_ = true;
        else if (name == "pnstart" && numbered_ && styleKnown_)
            number_ = token.hasParam ? token.param : 1;
    }
    return false;
}
