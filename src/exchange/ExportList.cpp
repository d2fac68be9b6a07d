#include "exchange/ExportList.h"

#include "base/ProgressScope.h"
#include "base/Ui.h"
#include "exchange/DelimitedValue.h"
#include "store/EntriesTable.h"

#include <QDir>
#include <QFile>
#include <QStringEncoder>
#include <exception>
#include <vector>

#ifdef Q_OS_UNIX
#include <unistd.h>
#endif

namespace {

constexpr int kFlushEvery = 20;

// The lines of a file: handed to the system every 20 entries, so a crash loses
// little, and on the disk itself before the run says it is done.
class ExportFile {
public:
    explicit ExportFile(const QString& name) : file_(name) {}

    bool open() { return file_.open(QIODevice::WriteOnly | QIODevice::Truncate); }

    // Hands the text to the system.
    bool write(QStringView text)
    {
        bytes_.resize(encoder_.requiredSpace(text.size()));
        const char* end = encoder_.appendToBuffer(bytes_.data(), text);
        const qint64 size = end - bytes_.constData();
        if (file_.write(bytes_.constData(), size) != size)
            return false;
        return file_.flush();
    }

    bool finish()
    {
        bool done = file_.flush();
#ifdef Q_OS_UNIX
        done = ::fsync(file_.handle()) == 0 && done;
#endif
        file_.close();
        return done && file_.error() == QFileDevice::NoError;
    }

private:
    QFile file_;
    QStringEncoder encoder_{QStringEncoder::Utf8, QStringEncoder::Flag::Stateless};
    QByteArray bytes_;
};

// Around a run the main window is disabled and the list view does not follow the
// walk; every way out gives both back.
class WindowHold {
public:
    explicit WindowHold(const std::function<void(bool)>& hold) : hold_(hold)
    {
        if (hold_)
            hold_(true);
    }
    ~WindowHold()
    {
        if (hold_)
            hold_(false);
    }
    WindowHold(const WindowHold&) = delete;
    WindowHold& operator=(const WindowHold&) = delete;

private:
    const std::function<void(bool)>& hold_;
};

// One line: each chosen value followed by the separator, the last one's taken off
// again, and the line break (CR LF in a file, a plain break on a page).
class LineFormat {
public:
    LineFormat(const ExportColumnFlags& flags, QChar separator, const char16_t* lineEnd)
        : separator_(separator), lineEnd_(lineEnd)
    {
        for (int i = 0; i < kExportColumnCount; ++i)
            if (flags[size_t(i)])
                columns_.push_back(exportColumnAt(i));
    }

    void appendHeading(QString& out) const
    {
        appendLine(out, [](ExportColumn column) { return exportHeading(column); });
    }
    void appendEntry(QString& out, const Entry& entry) const
    {
        appendLine(out, [&entry](ExportColumn column) { return exportValue(entry, column); });
    }

private:
    template <typename Value>
    void appendLine(QString& out, Value value) const
    {
        for (size_t i = 0; i < columns_.size(); ++i) {
            if (i > 0)
                out += separator_;
            appendDelimitedValue(out, value(columns_[i]), separator_);
        }
        out += lineEnd_;
    }

    QChar separator_;
    const char16_t* lineEnd_;
    std::vector<ExportColumn> columns_;
};

QString failureText(const QString& doing, const QString& fileName)
{
    return "An error was encountered " + doing + " the file, " + fileName +
           ", check you have sufficient disk space and try again.";
}

}  // namespace

QChar exportSeparator(const QString& typed) { return typed.isEmpty() ? QChar(u',') : typed.front(); }

QString defaultExportFileName() { return QDir::currentPath() + "/CVNExport.csv"; }

bool exportlist(const ExportContext& context, const QString& fileName, const QString& printTitle,
                const QString& separator, bool backup, const ExportColumnFlags& columns)
{
    Ui& ui = context.ui;
    const bool printing = fileName.isEmpty();
    const WindowHold hold(context.hooks.holdWindow);
    const BusyCursor busy(ui);

    ExportFile file(fileName);
    if (!printing && !file.open()) {
        ui.warn("Unable to write to the file, " + fileName);
        return false;
    }
    const LineFormat format(columns, exportSeparator(separator), printing ? u"\n" : u"\r\n");
    // A file's lines wait here for the next flush: one hand-over of 20 lines costs
    // little more than one of a single line.
    QString page;
    QString pending;
    QString& text = printing ? page : pending;
    int count = 0;
    bool finished = true;
    try {
        ProgressScope progress(ui, backup ? "Backing Up Entries" : "Exporting Entries",
                               int(context.entries.count()), true);
        context.entries.walk([&](const Entry& entry) {
            ++count;
            if (!progress.step(count)) {
                finished = false;
                return false;
            }
            if (count == 1)
                format.appendHeading(text);
            format.appendEntry(text, entry);
            if (printing || count % kFlushEvery != 0)
                return true;
            const bool written = file.write(pending);
            pending.resize(0);  // keeps its room for the next lines
            if (written)
                return true;
            finished = ui.askYesNo("An error was encountered with line " + QString::number(count) +
                                       ".  Do you want to continue?",
                                   Ui::Icon::Warning);
            return finished;
        });
    } catch (const std::exception& e) {
        ui.warn(QString::fromUtf8(e.what()));
        finished = false;
    }

    if (!printing) {
        // What was written stays, even from a run cut short; a file that did not
        // reach the disk is not a saved file.
        const bool rest = file.write(pending);
        if (!(file.finish() && rest) && finished) {
            ui.warn(failureText("writing", fileName));
            return false;
        }
        return finished;
    }
    if (!finished)
        return false;
    const PrintResult printed = context.hooks.print ? context.hooks.print(printTitle, page)
                                                    : PrintResult::Failed;
    if (printed == PrintResult::Failed) {
        ui.warn(failureText("printing", fileName));
        return false;
    }
    return true;
}
