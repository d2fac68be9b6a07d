#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <gtest/gtest.h>

// The core library must build without QtWidgets: no source outside a ui/ folder
// may include a widget header.
TEST(Layering, NoCoreSourceIncludesAWidgetHeader)
{
    const QString src = QFileInfo(QString(__FILE__)).absolutePath() + "/../../src";
    ASSERT_TRUE(QFileInfo(src).isDir()) << src.toStdString();
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
