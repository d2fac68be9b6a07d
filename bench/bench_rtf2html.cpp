// Rich text to HTML throughput: writes about 50 MB of RTF as a word processor would
// (font, colour and style tables, formatted paragraphs, bullets, tables, a picture),
// converts it with ConvertRtfToHtml, and copies the same file with a bare read and
// write, the limit any converter reading and writing that file meets. Prints both
// rates and their ratio; exits 1 below the target rate.
//
// Arguments (all optional): megabytes of RTF, rounds (the best of each side is kept).
#include "util/RtfToHtml.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

namespace {

constexpr double kTargetMBps = 50.0;

QByteArray paragraph(int i)
{
    QByteArray p = "\\pard\\plain\\s" + QByteArray::number(i % 7 == 0 ? 1 : 0) + "\\f" + QByteArray::number(i % 3) +
                   "\\fs" + QByteArray::number(20 + 2 * (i % 5)) + " ";
    p += "Dear members, the meeting of the club moves to {\\b Friday} at {\\i 7 pm}; please bring a friend";
    p += " and \\'e4 little cake \\u8364\\'80" + QByteArray::number(i % 50) + ". ";
    p += "{\\cf" + QByteArray::number(1 + i % 3) + " Read more at http://example.org/news/" + QByteArray::number(i) +
         ", or reply.}\\par\n";
    if (i % 10 == 0)
        p += "{\\pntext\\f1\\'B7\\tab}{\\*\\pn\\pnlvlblt\\pnf1\\pnindent0{\\pntxtb\\'B7}}\\fi-200\\li200 "
             "First point\\par Second point with {\\ul underline}\\par\\pard\n";
    if (i % 25 == 0)
        p += "\\trowd\\trgaph108\\cellx3000\\cellx6000\\pard\\intbl Name\\cell {\\b Value}\\cell\\row\n"
             "\\trowd\\trgaph108\\cellx3000\\cellx6000\\pard\\intbl Ann\\cell 42\\cell\\row\\pard\\widctlpar\n";
    if (i % 200 == 0)
        p += "{\\pict\\pngblip\\picw100\\pich100 " + QByteArray(2000, 'a') + "}\\par\n";
    return p;
}

QByteArray document(qint64 bytes)
{
    QByteArray rtf = "{\\rtf1\\ansi\\ansicpg1252\\deff0{\\fonttbl{\\f0\\fswiss\\fcharset0 Arial;}"
                     "{\\f1\\fnil\\fcharset2 Symbol;}{\\f2\\froman Times New Roman;}}\n"
                     "{\\colortbl ;\\red255\\green0\\blue0;\\red0\\green128\\blue0;\\red0\\green0\\blue255;}\n"
                     "{\\stylesheet{\\s0\\fs24 Normal;}{\\s1\\b\\fs32\\sbasedon0\\snext0 heading 1;}}\n";
    rtf.reserve(bytes + 4096);
    for (int i = 0; rtf.size() < bytes; ++i)
        rtf += paragraph(i);
    return rtf + "}";
}

bool copyFile(const QString& from, const QString& to)
{
    QFile in(from);
    QFile out(to);
    if (!in.open(QIODevice::ReadOnly) || !out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    QByteArray chunk(256 * 1024, Qt::Uninitialized);
    for (qint64 got; (got = in.read(chunk.data(), chunk.size())) > 0;)
        if (out.write(chunk.constData(), got) != got)
            return false;
    return out.flush();
}

double rate(qint64 bytes, qint64 ms)
{
    return ms > 0 ? double(bytes) / 1e6 * 1000.0 / double(ms) : 0.0;
}

}  // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const qint64 megabytes = argc > 1 ? std::max(1, std::atoi(argv[1])) : 50;
    const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 3;
    QTemporaryDir dir;
    const QString rtf = dir.filePath("in.rtf");
    {
        QFile file(rtf);
        if (!dir.isValid() || !file.open(QIODevice::WriteOnly) || file.write(document(megabytes * 1000000)) < 0) {
            std::fprintf(stderr, "Cannot write the RTF file\n");
            return 1;
        }
    }
    const qint64 size = QFileInfo(rtf).size();
    qint64 copyMs = -1;
    qint64 convertMs = -1;
    QElapsedTimer timer;
    // The two sides take turns, so a slow spell of the machine falls on both.
    for (int round = 0; round < rounds; ++round) {
        timer.start();
        if (!copyFile(rtf, dir.filePath("copy.rtf"))) {
            std::fprintf(stderr, "The copy failed\n");
            return 1;
        }
        const qint64 copied = timer.elapsed();
        copyMs = copyMs < 0 ? copied : std::min(copyMs, copied);
        timer.restart();
        const QString error = ConvertRtfToHtml(rtf, dir.filePath("out.html"), {}, {}, {}, {});
        const qint64 converted = timer.elapsed();
        if (!error.isEmpty()) {
            std::fprintf(stderr, "The conversion failed: %s\n", qPrintable(error));
            return 1;
        }
        convertMs = convertMs < 0 ? converted : std::min(convertMs, converted);
    }
    const double convertRate = rate(size, convertMs);
    const double copyRate = rate(size, copyMs);
    std::printf("best of %d rounds each; RTF %.1f MB, HTML %.1f MB\n", rounds, double(size) / 1e6,
                double(QFileInfo(dir.filePath("out.html")).size()) / 1e6);
    std::printf("%-28s %7lld ms %9.1f MB/s\n", "copy (read + write)", static_cast<long long>(copyMs), copyRate);
    std::printf("%-28s %7lld ms %9.1f MB/s\n", "ConvertRtfToHtml", static_cast<long long>(convertMs), convertRate);
    std::printf("ratio convert/copy: %.3f; target %.0f MB/s %s\n", copyRate > 0 ? convertRate / copyRate : 0.0,
                kTargetMBps, convertRate >= kTargetMBps ? "ok" : "BELOW");
    return convertRate >= kTargetMBps ? 0 : 1;
}
