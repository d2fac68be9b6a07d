#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTextStream>
#include <gtest/gtest.h>

namespace {

// The program is built up from its foot: each folder includes only folders before it.
// A new folder takes its place in this list before any code goes into it.
const QStringList folderOrder = {
    "base",          "util",     "logs",     "settings", "store",   "addresses",
    "mail",          "sending",  "subscriptions",        "mailings", "exchange",
    "reports",       "setup",    "app",      "main",
};

QString sourceRoot()
{
    // Not __FILE__: a compiler cache may make it relative to the build folder.
    return QDir::cleanPath(QStringLiteral(QT_TESTCASE_SOURCEDIR) + "/../src");
}

struct Place {
    QString folder;  // first folder under src/
    bool ui = false;  // inside a ui/ subfolder: the GUI library
};

Place placeOf(const QString& relativePath)
{
    const QStringList parts = relativePath.split('/');
    return {parts.value(0), parts.size() > 2 && parts.mid(1, parts.size() - 2).contains("ui")};
}

// The reason an include breaks the order, or nothing when it keeps it.
QString breach(const Place& from, const QString& included)
{
    const Place to = placeOf(included);
    if (!folderOrder.contains(to.folder))
        return {};  // a system or library header written with quotes
    const auto own = folderOrder.indexOf(from.folder);
    const auto other = folderOrder.indexOf(to.folder);
    if (from.folder == "main")
        return {};
    if (!from.ui) {
        if (to.ui)
            return "a core file includes a window header";
        if (other > own)
            return "includes " + to.folder + "/, which comes after " + from.folder + "/";
        return {};
    }
    if (to.ui && other > own)
        return "a window of " + from.folder + "/ includes the windows of " + to.folder + "/, which comes after it";
    return {};
}

QStringList breachesIn(const QString& root)
{
    static const QRegularExpression include(R"re(^\s*#\s*include\s*"([^"]+)")re");
    QStringList found;
    QDirIterator it(root, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        const QString relative = QDir(root).relativeFilePath(path);
        const Place from = placeOf(relative);
        if (!folderOrder.contains(from.folder)) {
            found << relative + ": src/" + from.folder + "/ has no place in the folder order";
            continue;
        }
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly)) {
            found << relative + ": cannot be read";
            continue;
        }
        QTextStream in(&file);
        for (int line = 1; !in.atEnd(); ++line) {
            const auto match = include.match(in.readLine());
            if (!match.hasMatch())
                continue;
            const QString why = breach(from, match.captured(1));
            if (!why.isEmpty())
                found << QString("%1:%2: #include \"%3\": %4").arg(relative).arg(line).arg(match.captured(1), why);
        }
    }
    return found;
}

}  // namespace

TEST(Layering, EveryIncludeKeepsTheFolderOrder)
{
    ASSERT_TRUE(QFileInfo(sourceRoot()).isDir()) << sourceRoot().toStdString();
    const QStringList found = breachesIn(sourceRoot());
    EXPECT_TRUE(found.isEmpty()) << found.join("\n").toStdString();
}

TEST(Layering, UpwardAndWindowIncludesAreCaught)
{
    EXPECT_FALSE(breach({"store", false}, "subscriptions/InsertEntry.h").isEmpty());
    EXPECT_FALSE(breach({"store", false}, "store/ui/TdlgOpenDB.h").isEmpty());
    EXPECT_FALSE(breach({"store", true}, "app/ui/Tfrmmain.h").isEmpty());
    EXPECT_TRUE(breach({"app", true}, "store/ui/TdlgOpenDB.h").isEmpty());
    EXPECT_TRUE(breach({"store", true}, "app/Session.h").isEmpty());
    EXPECT_TRUE(breach({"app", false}, "app/cli/Commands.h").isEmpty());
    EXPECT_TRUE(breach({"main", false}, "app/ui/Tfrmmain.h").isEmpty());
}

// The core library must build without QtWidgets: no source outside a ui/ folder
// may include a widget header.
TEST(Layering, NoCoreSourceIncludesAWidgetHeader)
{
    const QString src = sourceRoot();
    const QRegularExpression widgetInclude(
        R"(^\s*#\s*include\s*[<"](QtWidgets/|Q(Application|Widget|Dialog|MainWindow|MessageBox|InputDialog|ProgressDialog|Label|PushButton|TableView|TabBar|TabWidget|Menu|MenuBar|Action|LineEdit|TreeView|FileDialog|SplashScreen|Layout|VBoxLayout|HBoxLayout|FormLayout|StatusBar|Style)\b))",
        QRegularExpression::MultilineOption);
    QStringList offenders;
    int scanned = 0;
    QDirIterator it(src, {"*.cpp", "*.h"}, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        if (path.contains("/ui/") || path.contains("/src/main/"))
            continue;
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::ReadOnly));
        ++scanned;
        if (widgetInclude.match(QString::fromUtf8(f.readAll())).hasMatch())
            offenders << path;
    }
    EXPECT_GT(scanned, 10);
    EXPECT_TRUE(offenders.isEmpty()) << offenders.join(", ").toStdString();
}
