#include "base/HelpTopics.h"

#include <QDir>
#include <QFileInfo>
#include <utility>

HelpTopics::HelpTopics(QStringList folders) : folders_(std::move(folders)) {}

HelpTopics HelpTopics::standard(const QString& executableFolder)
{
    const QDir exe(executableFolder);
    return HelpTopics({
        exe.filePath("help"),
        QDir::cleanPath(exe.filePath(QStringLiteral(CORVANEL_HELP_FROM_BINDIR))),
        QStringLiteral(CORVANEL_HELP_SOURCE_DIR),
        QStringLiteral(CORVANEL_HELP_INSTALL_DIR),
    });
}

QString HelpTopics::topicFile(int topic) const
{
    return find(QString("topic-%1.html").arg(topic));
}

QString HelpTopics::indexFile() const
{
    return find("index.html");
}

QString HelpTopics::find(const QString& fileName) const
{
    for (const QString& folder : folders_) {
        const QFileInfo page(QDir(folder), fileName);
        if (page.isFile())
            return page.absoluteFilePath();
    }
    return {};
}
