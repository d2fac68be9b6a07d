// Address extraction throughput: writes about 100 MB of mixed text with an address
// every few lines to a temporary folder, extracts the addresses from it as the
// file scan does, and prints MB/s and the number of addresses found.
#include "addresses/AddressFileScanner.h"

#include <QElapsedTimer>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <cstdio>
#include <ctime>
#include <random>

namespace {

constexpr qint64 TargetBytes = 100LL * 1000 * 1000;

const char* const Words[] = {
    "the", "mailing", "list", "subscribe", "please", "meeting", "tomorrow", "report", "attached", "regards",
    "newsletter", "update", "price", "order", "delivery", "caf\xC3\xA9", "na\xC3\xAFve", "r\xC3\xA9sum\xC3\xA9",
    "thanks", "for", "your", "message", "and", "of", "to", "in", "is", "we", "will", "be", "at", "on",
    "10:30", "3.5%", "(see", "below)", "\xE2\x82\xAC" "20", "https://www.example.com/page?id=7", "--",
};

const char* const Users[] = {"john.smith", "mary", "a.b.c", "sales", "info+news", "o'brien", "x_y", "webmaster"};
const char* const Domains[] = {"example.com", "mail.example.org", "example.co.uk", "list-host.example.net"};

// The forms addresses take in real text: bare, in brackets, after mailto:, at the
// end of a sentence (which the scan drops), in parentheses, framed by underscores.
QByteArray addressLine(std::mt19937& random)
{
    const QByteArray address = QByteArray(Users[random() % std::size(Users)]) + '@'
                               + Domains[random() % std::size(Domains)];
    switch (random() % 6) {
    case 0: return "From: John Smith <" + address + ">";
    case 1: return "Write to " + address + " for details.";
    case 2: return "<a href=\"mailto:" + address + "\">contact us</a>";
    case 3: return "Please reply to " + address + ".";
    case 4: return "Contact (" + address + "), or call us.";
    default: return "_____" + address + "_____";
    }
}

QByteArray textLine(std::mt19937& random)
{
    QByteArray line;
    const int words = 6 + int(random() % 12);
    for (int i = 0; i < words; ++i) {
        if (i > 0)
            line += ' ';
        line += Words[random() % std::size(Words)];
    }
    return line;
}

bool writeSample(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    std::mt19937 random(20261208);
    QByteArray block;
    qint64 written = 0;
    while (written < TargetBytes) {
        block.clear();
        while (block.size() < 1024 * 1024) {
            block += (random() % 5 == 0) ? addressLine(random) : textLine(random);
            block += "\r\n";
        }
        if (file.write(block) != block.size())
            return false;
        written += block.size();
    }
    return true;
}

}  // namespace

int main()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("sample.txt");
    if (!dir.isValid() || !writeSample(path)) {
        std::fprintf(stderr, "Cannot write the sample file\n");
        return 1;
    }
    const double megabytes = double(QFile(path).size()) / 1e6;

    const QStringList exceptions{"__", "hotmial"};
    double best = 0;
    qsizetype count = 0;
    for (int run = 0; run < 3; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::clock_t cpuStart = std::clock();
        QString error;
        const std::optional<QStringList> found = extractAddressesFromFile(path, exceptions, error);
        const double seconds = double(timer.nsecsElapsed()) / 1e9;
        // Processor time too, since a busy machine stretches the wall-clock figure.
        const double cpuSeconds = double(std::clock() - cpuStart) / CLOCKS_PER_SEC;
        if (!found) {
            std::fprintf(stderr, "Cannot read the sample file: %s\n", qPrintable(error));
            return 1;
        }
        count = found->size();
        const double rate = megabytes / seconds;
        std::printf("run %d: %.1f MB in %.3f s = %.1f MB/s (%.1f MB/s of processor time), %lld addresses\n",
                    run + 1, megabytes, seconds, rate, megabytes / cpuSeconds, static_cast<long long>(count));
        best = std::max(best, rate);
    }
    std::printf("extract: %.1f MB/s (best of 3), %lld addresses found\n", best, static_cast<long long>(count));
    return 0;
}
