#include "util/ui/WindowRoutines.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

void FocusIfPossible(QWidget* widget)
{
    if (widget && widget->isEnabled() && widget->isVisible())
        widget->setFocus();
}

void SelectAllItems(QAbstractItemView* list)
{
    if (!list)
        return;
    const auto mode = list->selectionMode();
    if (mode == QAbstractItemView::MultiSelection || mode == QAbstractItemView::ExtendedSelection)
        list->selectAll();
}

int ScaleForScreen(int pixelsAt96, const QWidget* widget)
{
    const QScreen* screen = widget ? widget->screen() : QGuiApplication::primaryScreen();
    const double dpi = screen ? screen->logicalDotsPerInch() : 96.0;
    return static_cast<int>(std::lround(pixelsAt96 * dpi / 96.0));
}
