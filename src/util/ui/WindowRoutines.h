#pragma once

#include <QString>
#include <utility>

class QAbstractItemView;
class QWidget;

// Gives the focus to the widget only when it is enabled and showing.
void FocusIfPossible(QWidget* widget);
// Selects every line of a list that allows selecting more than one line.
void SelectAllItems(QAbstractItemView* list);
// A size in pixels at 96 dots per inch, in pixels of the screen the widget is on
// (the primary screen without a widget), rounded to the nearest whole pixel.
int ScaleForScreen(int pixelsAt96, const QWidget* widget = nullptr);

// A new widget of the kind, made with the arguments, under the object name the
// windows' tests find it by.
template <class Widget, class... Arguments> Widget* named(const QString& name, Arguments&&... arguments)
{
    auto* widget = new Widget(std::forward<Arguments>(arguments)...);
    widget->setObjectName(name);
    return widget;
}
