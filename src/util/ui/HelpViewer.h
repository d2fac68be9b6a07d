#pragma once

#include "base/HelpTopics.h"

#include <QPointer>
#include <QWidget>
#include <functional>

class QPushButton;
class QTextBrowser;

// The program's one help window: the pages of HelpTopics in a browser with Back,
// Forward and Index. It stays open beside the windows it explains. While a modal
// dialog runs, a top-level window would be blocked by it, so the viewer then lives
// as a window of that dialog and steps out again when the dialog goes away.
class HelpViewer : public QWidget {
    Q_OBJECT
public:
    explicit HelpViewer(HelpTopics topics, QWidget* parent = nullptr);

    void showTopic(int topic);
    void showIndex();

    // What the windows take as their help: opens a topic in this viewer.
    std::function<void(int topic)> showHelp();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void open(const QString& file, const QString& missing);
    void present();
    void moveTo(QWidget* host);
    void showTitle();

    HelpTopics topics_;
    QTextBrowser* brwHelp_;
    QPushButton* btnBack_;
    QPushButton* btnForward_;
    QPointer<QWidget> host_;
};
