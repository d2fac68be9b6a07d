#pragma once

class QAbstractItemView;
class QWidget;

// Gives the focus to the widget only when it is enabled and showing.
void FocusIfPossible(QWidget* widget);
// Selects every line of a list that allows selecting more than one line.
void SelectAllItems(QAbstractItemView* list);
// A size in pixels at 96 dots per inch, in pixels of the screen the widget is on
// (the primary screen without a widget), rounded to the nearest whole pixel.
int ScaleForScreen(int pixelsAt96, const QWidget* widget = nullptr);
