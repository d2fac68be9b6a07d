#pragma once

#include <QToolBar>

class QComboBox;
class QFontComboBox;
class QTextCharFormat;
class QTextEdit;

// The rich-text tools of the message editor: font, size, colour, style, alignment,
// bullets, indent, the editor's background colour, and image and link insertion
// (signalled: the composer keeps the image and link lists). The keys work in the
// editor while the tools are enabled.
class FormatToolbar : public QToolBar {
    Q_OBJECT
public:
    FormatToolbar(QTextEdit& editor, QWidget* parent = nullptr);

    // Empty while the editor shows the system's window colour.
    QString backgroundColour() const { return background_; }
    void resetBackground();

signals:
    void insertImageRequested();
    void insertLinkRequested();

private:
    QAction* addTool(const QString& objectName, const QString& caption, const QKeySequence& key = {},
                     bool checkable = false);
    void mergeFormat(const QTextCharFormat& format);
    void align(Qt::Alignment alignment);
    void indent(int step);
    void toggleBullets();
    void showCurrentFormat();

    QTextEdit& editor_;
    QFontComboBox* cmbFontName_;
    QComboBox* cmbFontSize_;
    QAction* bold_;
    QAction* italic_;
    QAction* underline_;
    QString background_;
};
