#include "util/ui/HelpViewer.h"

#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QEvent>
#include <QHBoxLayout>
#include <QKeySequence>
#include <QPushButton>
#include <QShortcut>
#include <QTextBrowser>
#include <QTimer>
#include <QUrl>
#include <QVBoxLayout>
#include <utility>

namespace {

const QString kCaption = "Corvanel Help";

// The modal dialog the viewer must belong to so as not to be blocked, if any.
QWidget* modalHost()
{
    QWidget* modal = QApplication::activeModalWidget();
    return modal && modal->isVisible() ? modal : nullptr;
}

QString missingPage(const QString& heading, const QString& fileName, const QStringList& folders)
{
    QString list;
    for (const QString& folder : folders)
        list += "<li>" + folder.toHtmlEscaped() + "</li>";
    return "<html><head><title>" + heading + "</title></head><body><h1>" + heading + "</h1><p>The page "
           + fileName + " is in none of the help folders:</p><ul>" + list + "</ul></body></html>";
}

}  // namespace

HelpViewer::HelpViewer(HelpTopics topics, QWidget* parent) : QWidget(parent, Qt::Window), topics_(std::move(topics))
{
    setObjectName("frmHelp");
    setWindowTitle(kCaption);
    // Help left open must not keep the program running once the main window closes.
    setAttribute(Qt::WA_QuitOnClose, false);
    resize(640, 560);
    auto* layout = new QVBoxLayout(this);
    auto* buttons = new QHBoxLayout;
    btnBack_ = named<QPushButton>("btnHelpBack", "Back", this);
    btnForward_ = named<QPushButton>("btnHelpForward", "Forward", this);
    auto* index = named<QPushButton>("btnHelpIndex", "Index", this);
    for (QPushButton* button : {btnBack_, btnForward_, index})
        buttons->addWidget(button);
    buttons->addStretch(1);
    layout->addLayout(buttons);
    brwHelp_ = named<QTextBrowser>("brwHelp", this);
    brwHelp_->setOpenExternalLinks(true);
    layout->addWidget(brwHelp_, 1);

    btnBack_->setEnabled(false);
    btnForward_->setEnabled(false);
    connect(btnBack_, &QPushButton::clicked, brwHelp_, &QTextBrowser::backward);
    connect(btnForward_, &QPushButton::clicked, brwHelp_, &QTextBrowser::forward);
    connect(index, &QPushButton::clicked, this, &HelpViewer::showIndex);
    connect(brwHelp_, &QTextBrowser::backwardAvailable, btnBack_, &QPushButton::setEnabled);
    connect(brwHelp_, &QTextBrowser::forwardAvailable, btnForward_, &QPushButton::setEnabled);
    connect(brwHelp_, &QTextBrowser::sourceChanged, this, &HelpViewer::showTitle);
    connect(new QShortcut(QKeySequence::Cancel, this), &QShortcut::activated, this, &QWidget::close);
}

void HelpViewer::showTopic(int topic)
{
    moveTo(modalHost());
    open(topics_.topicFile(topic), missingPage(QString("Help topic %1 is not installed").arg(topic),
                                               QString("topic-%1.html").arg(topic), topics_.folders()));
    present();
}

void HelpViewer::showIndex()
{
    moveTo(modalHost());
    open(topics_.indexFile(), missingPage("The help contents are not installed", "index.html", topics_.folders()));
    present();
}

std::function<void(int topic)> HelpViewer::showHelp()
{
    return [viewer = QPointer<HelpViewer>(this)](int topic) {
        if (viewer)
            viewer->showTopic(topic);
    };
}

void HelpViewer::open(const QString& file, const QString& missing)
{
    if (file.isEmpty()) {
        brwHelp_->setHtml(missing);
        showTitle();
        return;
    }
    brwHelp_->setSource(QUrl::fromLocalFile(file));
}

void HelpViewer::present()
{
    show();
    raise();
    activateWindow();
}

void HelpViewer::showTitle()
{
    const QString title = brwHelp_->documentTitle();
    setWindowTitle(title.isEmpty() ? kCaption : kCaption + " - " + title);
}

bool HelpViewer::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == host_ && event->type() == QEvent::Hide) {
        // Out at once, before the dialog may take its windows with it; then into
        // whichever dialog is still running underneath, once this one has gone.
        moveTo(nullptr);
        QTimer::singleShot(0, this, [this] {
            if (isVisible())
                moveTo(modalHost());
        });
    }
    return QWidget::eventFilter(watched, event);
}

void HelpViewer::moveTo(QWidget* host)
{
    if (host == host_ || host == this)
        return;
    if (host_)
        host_->removeEventFilter(this);
    const bool shown = isVisible();
    const QByteArray geometry = saveGeometry();
    setParent(host, windowFlags());
    restoreGeometry(geometry);
    host_ = host;
    if (host_)
        host_->installEventFilter(this);
    if (shown)
        show();
}
