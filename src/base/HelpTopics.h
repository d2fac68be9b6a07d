#pragma once

#include <QString>
#include <QStringList>

// Where the help pages are. A topic number names the page "topic-N.html"; the first
// folder that holds it wins, so a copy next to the program or an installed copy comes
// before the source tree a build was made from.
class HelpTopics {
public:
    explicit HelpTopics(QStringList folders);

    // The folders the program looks in: a "help" folder next to the executable, the
    // share folder of an installed program (found from the executable), the source
    // tree's docs/help, and last the share folder the build was meant to be installed
    // to, for a program that was moved. The source tree comes before that last one so
    // a build tree shows its own pages even where an older version is installed.
    static HelpTopics standard(const QString& executableFolder);

    // The page of a topic, or empty when no folder holds it.
    QString topicFile(int topic) const;
    // The contents page, or empty.
    QString indexFile() const;

    const QStringList& folders() const { return folders_; }

private:
    QString find(const QString& fileName) const;

    QStringList folders_;
};
