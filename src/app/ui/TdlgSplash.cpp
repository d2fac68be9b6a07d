#include "app/ui/TdlgSplash.h"

#include "base/ProjectInfo.h"

#include <QApplication>
#include <QLabel>
#include <QVBoxLayout>

TdlgSplash::TdlgSplash(QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint)
{
    setObjectName("TdlgSplash");
    auto* layout = new QVBoxLayout(this);
    auto* title = new QLabel("Corvanel", this);
    QFont big = title->font();
    big.setPointSize(big.pointSize() * 2);
    big.setBold(true);
    title->setFont(big);
    auto* version = new QLabel(ProjectInfo::kVersion, this);
    version->setObjectName("lblVersion");
    for (QLabel* l : {title, version}) {
        l->setAlignment(Qt::AlignCenter);
        layout->addWidget(l);
    }
    setMinimumSize(320, 160);
}

void TdlgSplash::showNow()
{
    show();
    raise();
    repaint();
    QApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}
