#include "sending/ui/FormatToolbar.h"

#include "util/ui/WindowRoutines.h"

#include <QColorDialog>
#include <QComboBox>
#include <QFontComboBox>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextEdit>
#include <QTextList>

FormatToolbar::FormatToolbar(QTextEdit& editor, QWidget* parent) : QToolBar(parent), editor_(editor)
{
    setObjectName("tlbFormat");
    cmbFontName_ = named<QFontComboBox>("cmbFontName", this);
    addWidget(cmbFontName_);
    connect(cmbFontName_, &QFontComboBox::currentFontChanged, this, [this](const QFont& font) {
        QTextCharFormat format;
        format.setFontFamilies({font.family()});
        mergeFormat(format);
    });
    cmbFontSize_ = named<QComboBox>("cmbFontSize", this);
    cmbFontSize_->addItems({"8", "10", "12", "14", "18", "24", "36"});
    addWidget(cmbFontSize_);
    connect(cmbFontSize_, &QComboBox::textActivated, this, [this](const QString& size) {
        QTextCharFormat format;
        format.setFontPointSize(size.toInt());
        mergeFormat(format);
    });
    connect(addTool("actTextColour", "Text Colour"), &QAction::triggered, this, [this] {
        const QColor colour = QColorDialog::getColor(editor_.textColor(), this);
        if (!colour.isValid())
            return;
        QTextCharFormat format;
        format.setForeground(colour);
        mergeFormat(format);
    });
    bold_ = addTool("actBold", "Bold", QKeySequence(Qt::CTRL | Qt::Key_B), true);
    connect(bold_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontWeight(on ? QFont::Bold : QFont::Normal);
        mergeFormat(format);
    });
    italic_ = addTool("actItalic", "Italic", QKeySequence(Qt::CTRL | Qt::Key_I), true);
    connect(italic_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontItalic(on);
        mergeFormat(format);
    });
    underline_ = addTool("actUnderline", "Underline", QKeySequence(Qt::CTRL | Qt::Key_U), true);
    connect(underline_, &QAction::triggered, this, [this](bool on) {
        QTextCharFormat format;
        format.setFontUnderline(on);
        mergeFormat(format);
    });
    addSeparator();
    connect(addTool("actAlignLeft", "Align Left", QKeySequence(Qt::CTRL | Qt::Key_L)), &QAction::triggered, this,
            [this] { align(Qt::AlignLeft); });
    connect(addTool("actAlignCentre", "Centre", QKeySequence(Qt::CTRL | Qt::Key_E)), &QAction::triggered, this,
            [this] { align(Qt::AlignHCenter); });
    connect(addTool("actAlignRight", "Align Right", QKeySequence(Qt::CTRL | Qt::Key_R)), &QAction::triggered, this,
            [this] { align(Qt::AlignRight); });
    connect(addTool("actBullets", "Bullets"), &QAction::triggered, this, &FormatToolbar::toggleBullets);
    connect(addTool("actIndent", "Indent", QKeySequence(Qt::CTRL | Qt::Key_M)), &QAction::triggered, this,
            [this] { indent(1); });
    connect(addTool("actUnindent", "Unindent", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_M)), &QAction::triggered,
            this, [this] { indent(-1); });
    addSeparator();
    connect(addTool("actBackColour", "Background Colour"), &QAction::triggered, this, [this] {
        const QColor colour = QColorDialog::getColor(editor_.palette().color(QPalette::Base), this);
        if (!colour.isValid())
            return;
        QPalette palette = editor_.palette();
        palette.setColor(QPalette::Base, colour);
        editor_.setPalette(palette);
        background_ = colour.name().toUpper();
    });
    QAction* image = addTool("actImage", "Insert Image");
    image->setToolTip("Insert an image into the message (Requires the message be sent in HTML format)");
    connect(image, &QAction::triggered, this, &FormatToolbar::insertImageRequested);
    connect(addTool("actLink", "Create Link", QKeySequence(Qt::CTRL | Qt::Key_K)), &QAction::triggered, this,
            &FormatToolbar::insertLinkRequested);
    connect(&editor_, &QTextEdit::currentCharFormatChanged, this, &FormatToolbar::showCurrentFormat);
}

QAction* FormatToolbar::addTool(const QString& objectName, const QString& caption, const QKeySequence& key,
                                bool checkable)
{
    QAction* action = addAction(caption);
    action->setObjectName(objectName);
    action->setCheckable(checkable);
    if (!key.isEmpty()) {
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        // The keys belong to the editor, where the person types.
        editor_.addAction(action);
    }
    return action;
}

void FormatToolbar::resetBackground()
{
    editor_.setPalette(QPalette());
    background_.clear();
}

void FormatToolbar::mergeFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = editor_.textCursor();
    if (!cursor.hasSelection())
        cursor.select(QTextCursor::WordUnderCursor);
    cursor.mergeCharFormat(format);
    editor_.mergeCurrentCharFormat(format);
}

void FormatToolbar::align(Qt::Alignment alignment)
{
    editor_.setAlignment(alignment | Qt::AlignAbsolute);
}

void FormatToolbar::indent(int step)
{
    QTextCursor cursor = editor_.textCursor();
    QTextBlockFormat format = cursor.blockFormat();
    format.setIndent(std::max(0, format.indent() + step));
    cursor.setBlockFormat(format);
}

void FormatToolbar::toggleBullets()
{
    QTextCursor cursor = editor_.textCursor();
    if (QTextList* list = cursor.currentList()) {
        list->remove(cursor.block());
        QTextBlockFormat format = cursor.blockFormat();
        format.setIndent(0);
        cursor.setBlockFormat(format);
        return;
    }
    cursor.createList(QTextListFormat::ListDisc);
}

void FormatToolbar::showCurrentFormat()
{
    const QTextCharFormat format = editor_.currentCharFormat();
    bold_->setChecked(format.fontWeight() >= QFont::Bold);
    italic_->setChecked(format.fontItalic());
    underline_->setChecked(format.fontUnderline());
    const QSignalBlocker blockName(cmbFontName_);
    const QSignalBlocker blockSize(cmbFontSize_);
    if (!format.fontFamilies().toStringList().isEmpty())
        cmbFontName_->setCurrentFont(QFont(format.fontFamilies().toStringList().first()));
    if (format.fontPointSize() > 0)
        cmbFontSize_->setCurrentText(QString::number(int(format.fontPointSize())));
}
