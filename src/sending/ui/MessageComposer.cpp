#include "sending/ui/MessageComposer.h"

#include "base/Ui.h"
#include "exchange/CheckOverwriteFile.h"
#include "logs/Logs.h"
#include "sending/HtmlGeneration.h"
#include "sending/RtfWriter.h"
#include "sending/SpellChecker.h"
#include "sending/TemporaryMessageFile.h"
#include "sending/ui/FormatToolbar.h"
#include "sending/ui/TdlgCreateLink.h"
#include "sending/ui/TdlgDefaultFieldValues.h"
#include "sending/ui/TdlgSMTPSettings.h"
#include "sending/ui/TdlgSpelling.h"
#include "settings/Settings.h"
#include "util/RtfToHtmlConverter.h"
#include "util/TextFiles.h"
#include "util/ui/WindowRoutines.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QClipboard>
#include <QDesktopServices>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QTabWidget>
#include <QTextBrowser>
#include <QTextEdit>
#include <QToolBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace {

constexpr int kBodyPage = 0;
constexpr int kPreviewPage = 1;

struct FieldItem {
    const char* caption;
    const char* code;
};
constexpr FieldItem kFieldItems[] = {
    {"Insert Full Name Field", "%FULL_NAME%"}, {"Insert First Name Field", "%FIRST_NAME%"},
    {"Insert Surname Field", "%SURNAME%"},     {"Insert Company Field", "%COMPANY%"},
    {"Insert E-mail Field", "%EMAIL%"},        {"Insert Date Field", "%DATE%"},
};

// "HTMLMessage.html" in the temporary folder, else the first free "HTMLMessage N.html".
QString freeEditorFile()
{
    const QDir temp = QDir::temp();
    QString name = QStringLiteral("HTMLMessage.html");
    for (int n = 2; QFileInfo::exists(temp.filePath(name)); ++n)
        name = QStringLiteral("HTMLMessage %1.html").arg(n);
    return temp.filePath(name);
}

bool isHtmlFile(const QString& path)
{
    const QString suffix = QFileInfo(path).suffix().toUpper();
    return suffix == "HTML" || suffix == "HTM";
}

}  // namespace

MessageComposer::MessageComposer(Services services, QWidget* parent)
    : QWidget(parent), services_(std::move(services)), composition_(services_.settings)
{
    setObjectName("MessageComposer");
    if (!services_.editSmtpSettings)
        services_.editSmtpSettings = [this] { return TdlgSMTPSettings::edit(this, services_.ui, services_.settings); };
    openInEditor = [](const QString& file) { return QDesktopServices::openUrl(QUrl::fromLocalFile(file)); };
    decideSpelling = TdlgSpelling::asker(this);

    auto* layout = new QVBoxLayout(this);
    auto* subjectRow = new QHBoxLayout;
    subjectRow->addWidget(new QLabel("Subject:", this));
    edtMessageSubject_ = named<QLineEdit>("edtMessageSubject", this);
    subjectRow->addWidget(edtMessageSubject_);
    layout->addLayout(subjectRow);

    Editor_ = named<QTextEdit>("Editor", this);
    tlbFormat_ = new FormatToolbar(*Editor_, this);
    buildToolbar();
    toolbars_ = new QGridLayout;
    toolbars_->addWidget(tlbMain_, 0, 0);
    toolbars_->addWidget(tlbFormat_, 0, 1);
    toolbars_->setColumnStretch(2, 1);
    layout->addLayout(toolbars_);

    pgcMessage_ = named<QTabWidget>("pgcMessage", this);
    pgcMessage_->addTab(Editor_, "Message Body");
    pgcMessage_->addTab(buildPreviewPage(), "Preview");
    layout->addWidget(pgcMessage_, 1);
    chkHTML_ = named<QCheckBox>("chkHTML", "Message is in Rich Text/HTML format", this);
    layout->addWidget(chkHTML_);
    layout->addWidget(buildAttachments());

    connect(chkHTML_, &QCheckBox::clicked, this, &MessageComposer::chkHTMLClick);
    connect(pgcMessage_, &QTabWidget::currentChanged, this, &MessageComposer::pgcMessageChange);
    connect(tlbFormat_, &FormatToolbar::insertImageRequested, this, &MessageComposer::chooseImage);
    connect(tlbFormat_, &FormatToolbar::insertLinkRequested, this, &MessageComposer::chooseLink);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) {
        if (now == edtMessageSubject_ || now == Editor_)
            subjectHadFocus_ = now == edtMessageSubject_;
    });
    Editor_->setAcceptRichText(false);
    refreshTools();
}

MessageComposer::~MessageComposer()
{
    // The children are destroyed after this part of the object is gone; whatever
    // they, the application or the clipboard signal then must not reach it.
    QObject::disconnect(qApp, nullptr, this, nullptr);
    QObject::disconnect(QApplication::clipboard(), nullptr, this, nullptr);
    for (QObject* child : findChildren<QObject*>())
        QObject::disconnect(child, nullptr, this, nullptr);
}

void MessageComposer::buildToolbar()
{
    tlbMain_ = named<QToolBar>("tlbMain", this);
    connect(tlbMain_->addAction("Load..."), &QAction::triggered, this, &MessageComposer::chooseAndLoad);
    actCut_ = tlbMain_->addAction("Cut", Editor_, &QTextEdit::cut);
    actCopy_ = tlbMain_->addAction("Copy", Editor_, &QTextEdit::copy);
    actPaste_ = tlbMain_->addAction("Paste", Editor_, &QTextEdit::paste);
    actUndo_ = tlbMain_->addAction("Undo", Editor_, &QTextEdit::undo);
    connect(Editor_, &QTextEdit::copyAvailable, actCut_, &QAction::setEnabled);
    connect(Editor_, &QTextEdit::copyAvailable, actCopy_, &QAction::setEnabled);
    connect(Editor_, &QTextEdit::undoAvailable, actUndo_, &QAction::setEnabled);
    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            [this] { actPaste_->setEnabled(Editor_->canPaste()); });
    actCut_->setEnabled(false);
    actCopy_->setEnabled(false);
    actUndo_->setEnabled(false);

    auto* fields = new QMenu(this);
    fields->setObjectName("mnuFields");
    for (const FieldItem& item : kFieldItems) {
        QAction* action = fields->addAction(QStringLiteral("%1, %2").arg(item.caption, item.code));
        const QString code = item.code;
        connect(action, &QAction::triggered, this, [this, code] { insertField(code); });
    }
    fields->addSeparator();
    connect(fields->addAction("Edit Default Field Values..."), &QAction::triggered, this,
            [this] { TdlgDefaultFieldValues::edit(this, services_.settings); });
    QAction* help = fields->addAction("Help with customisation of messages...");
    help->setEnabled(bool(services_.showHelp));
    connect(help, &QAction::triggered, this, [this] { services_.showHelp(3001); });
    auto* fieldButton = named<QToolButton>("btnInsertField", this);
    fieldButton->setText("Insert Field");
    fieldButton->setMenu(fields);
    fieldButton->setPopupMode(QToolButton::InstantPopup);
    tlbMain_->addWidget(fieldButton);

    sepSpellCheck_ = tlbMain_->addSeparator();
    actSpellCheck_ = tlbMain_->addAction("Spell Check", this, &MessageComposer::spellCheck);
    actSpellCheck_->setObjectName("actSpellCheck");
    actSpellCheck_->setShortcut(Qt::Key_F7);
    actSpellCheck_->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    addAction(actSpellCheck_);

    const auto editorKey = [this](const QKeySequence& key, auto slot) {
        auto* action = new QAction(this);
        action->setShortcut(key);
        action->setShortcutContext(Qt::WidgetShortcut);
        connect(action, &QAction::triggered, this, slot);
        Editor_->addAction(action);
        return action;
    };
    editorKey(QKeySequence(Qt::CTRL | Qt::Key_P), &MessageComposer::printMessage);
    editorKey(QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_D), &MessageComposer::showRawContents);
}

QWidget* MessageComposer::buildPreviewPage()
{
    auto* page = new QWidget(this);
    auto* layout = new QVBoxLayout(page);
    auto* buttons = new QHBoxLayout;
    const auto button = [this, page, buttons](const char* name, const char* caption, auto slot) {
        auto* pushButton = named<QPushButton>(name, caption, page);
        connect(pushButton, &QPushButton::clicked, this, slot);
        buttons->addWidget(pushButton);
    };
    button("btnLoadHTML", "Load from File...", &MessageComposer::chooseAndLoad);
    button("btnPasteHTML", "Paste", &MessageComposer::pasteIntoPreview);
    button("btnEditHTML", "Editor...", &MessageComposer::editInOutsideEditor);
    button("btnSaveHTML", "Save...", &MessageComposer::chooseAndSave);
    buttons->addStretch();
    layout->addLayout(buttons);
    brwPreview_ = named<QTextBrowser>("brwPreview", page);
    brwPreview_->setOpenLinks(false);
    layout->addWidget(brwPreview_, 1);
    return page;
}

QWidget* MessageComposer::buildAttachments()
{
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    lbxAttachments_ = named<QListWidget>("lbxAttachments", box);
    lbxAttachments_->setMaximumHeight(ScaleForScreen(70, this));
    layout->addWidget(lbxAttachments_, 1);
    auto* buttons = new QVBoxLayout;
    auto* attach = named<QPushButton>("btnAttachFile", "Attach File...", box);
    connect(attach, &QPushButton::clicked, this,
            [this] { attachFiles(QFileDialog::getOpenFileNames(this, "Attach File")); });
    auto* remove = named<QPushButton>("btnRemoveFile", "Remove File...", box);
    connect(remove, &QPushButton::clicked, this, [this] {
        QListWidgetItem* item = lbxAttachments_->currentItem();
        if (!item) {
            QApplication::beep();
            return;
        }
        composition_.lbxAttachments.removeAt(lbxAttachments_->row(item));
        delete item;
    });
    buttons->addWidget(attach);
    buttons->addWidget(remove);
    buttons->addStretch();
    layout->addLayout(buttons);
    return box;
}

void MessageComposer::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeToolbars();
}

void MessageComposer::placeToolbars()
{
    // The formatting tools go below the main ones when both do not fit side by side.
    const bool sideBySide = tlbMain_->sizeHint().width() + tlbFormat_->sizeHint().width() <= width();
    toolbars_->removeWidget(tlbFormat_);
    if (sideBySide)
        toolbars_->addWidget(tlbFormat_, 0, 1);
    else
        toolbars_->addWidget(tlbFormat_, 1, 0, 1, 3);
}

void MessageComposer::startNewMessage()
{
    const QStringList& signature = services_.settings.Signature;
    if (!signature.isEmpty())
        Editor_->setPlainText("\n" + signature.join("\n"));
    setHtml(services_.settings.chkhtmlchecked);
}

void MessageComposer::finish()
{
    composition_.deleteTemporaryFiles();
    services_.settings.chkhtmlchecked = chkHTML_->isChecked();
}

QString MessageComposer::subject() const
{
    return edtMessageSubject_->text();
}

bool MessageComposer::isHtml() const
{
    return chkHTML_->isChecked();
}

void MessageComposer::setHtml(bool on)
{
    if (chkHTML_->isChecked() == on) {
        refreshTools();
        return;
    }
    chkHTML_->setChecked(on);
    chkHTMLClick();
}

void MessageComposer::chkHTMLClick()
{
    const bool html = chkHTML_->isChecked();
    edtMessageBody_ = Editor_->toPlainText();
    Editor_->setAcceptRichText(html);
    if (!html) {
        tlbFormat_->resetBackground();
        Editor_->setPlainText(composition_.switchHtmlOff(edtMessageBody_));
        if (pgcMessage_->currentIndex() == kPreviewPage)
            pgcMessage_->setCurrentIndex(kBodyPage);
    }
    refreshTools();
}

void MessageComposer::refreshTools()
{
    const bool html = chkHTML_->isChecked();
    pgcMessage_->setTabVisible(kPreviewPage, html);
    tlbFormat_->setVisible(html);
    placeToolbars();
    // The actions too: their keys work in the editor, not only on the toolbar.
    for (QAction* tool : tlbFormat_->actions())
        tool->setEnabled(html);
    const bool spelling = services_.settings.SpellChecking;
    actSpellCheck_->setVisible(spelling);
    sepSpellCheck_->setVisible(spelling);
    actPaste_->setEnabled(Editor_->canPaste());
}

void MessageComposer::pgcMessageChange(int index)
{
    if (index == kBodyPage && currentPage_ == kPreviewPage && composition_.CustomHTMLLoaded) {
        const bool clear = services_.ui.askYesNo(
            "You have loaded or pasted HTML directly into CVN.  CVN cannot edit this directly, you should use the "
            "'Editor' function to open it in your preferred editor.  If you change to the Message Body tab your HTML "
            "will be lost.\n\nAre you sure you want to clear your custom HTML?");
        if (!clear) {
            const QSignalBlocker block(pgcMessage_);
            pgcMessage_->setCurrentIndex(kPreviewPage);
            return;
        }
        composition_.CustomHTMLLoaded = false;
    }
    currentPage_ = index;
    if (index != kPreviewPage)
        return;
    if (!previewFromCustomHtml_) {
        composition_.deleteTemporaryFiles();
        if (!GenerateHTML(true))
            return;
    }
    previewFromCustomHtml_ = false;
    showPreview();
}

void MessageComposer::showPreview()
{
    const QString file = TempHTMLFile();
    if (!writeTextFileAtomically(file, edtMessageBody_.toUtf8())) {
        const QString error = "Open HTML Error";
        services_.ui.warn("Error encountered displaying your preview: " + error);
        services_.logs.debug("pgcMessageChange", "Error displaying preview: " + error);
        return;
    }
    composition_.lbxDeleteFiles << file;
    brwPreview_->clearHistory();
    brwPreview_->setSource(QUrl::fromLocalFile(file));
}

bool MessageComposer::GenerateHTML(bool forPreview)
{
    const std::optional<QString> html =
        generateHtmlBody({*Editor_->document(), !chkHTML_->isChecked(), tlbFormat_->backgroundColour()},
                         composition_, forPreview, services_.logs, services_.ui);
    if (!html)
        return false;
    edtMessageBody_ = *html;
    return true;
}

QString MessageComposer::GetMessageBody()
{
    services_.logs.debug("GetMessageBody", "Commence");
    QString body;
    if (composition_.UseBodyAsIs) {
        body = edtMessageBody_;
    } else if (chkHTML_->isChecked()) {
        // On the preview the HTML is what the person sees, perhaps loaded or pasted.
        if (pgcMessage_->currentIndex() != kPreviewPage)
            GenerateHTML(false);
        body = edtMessageBody_;
    } else {
        body = Editor_->toPlainText();
    }
    services_.logs.debug("GetMessageBody", "End");
    return body;
}

QString MessageComposer::plainText() const { return Editor_->toPlainText(); }

QString MessageComposer::logBody() const
{
    if (composition_.CustomHTMLLoaded)
        return edtMessageBody_;
    return chkHTML_->isChecked() ? writeRtf(*Editor_->document()) : Editor_->toPlainText();
}

bool MessageComposer::GetSalutationCheck(bool recompute)
{
    return composition_.GetSalutationCheck(recompute, recompute ? GetMessageBody() : QString(), subject(),
                                           services_.ui);
}

bool MessageComposer::CheckSendingFormat()
{
    return composition_.CheckSendingFormat(chkHTML_->isChecked(), services_.ui, services_.editSmtpSettings);
}

void MessageComposer::insertField(const QString& code)
{
    composition_.MessageIsPersonalised = true;
    emit personalised();
    if (!GetSalutationCheck(false))
        return;
    InsertString(code, subjectHadFocus_);
}

void MessageComposer::InsertString(const QString& text, bool intoSubject)
{
    // The clipboard keeps the inserted text, as it would after a paste.
    QApplication::clipboard()->setText(text);
    if (intoSubject)
        edtMessageSubject_->insert(text);
    else
        Editor_->insertPlainText(text);
}

void MessageComposer::insertImageFile(const QString& path)
{
    InsertString(composition_.insertImage(path), false);
}

void MessageComposer::insertLink(const QString& type, const QString& link, const QString& text)
{
    InsertString(composition_.insertLink(type, link, text), false);
}

void MessageComposer::chooseImage()
{
    const QString file = QFileDialog::getOpenFileName(this, {}, {},
                                                      "HTML Supported Images (*.jpg *.jpeg *.gif);;All Files (*)");
    if (!file.isEmpty())
        insertImageFile(file);
}

void MessageComposer::chooseLink()
{
    if (const auto link = TdlgCreateLink::ask(Editor_->textCursor().selectedText(), this))
        insertLink(link->type, link->link, link->text);
}

void MessageComposer::attachFiles(const QStringList& paths)
{
    for (const QString& path : paths) {
        composition_.lbxAttachments << path;
        lbxAttachments_->addItem(path);
    }
}

bool MessageComposer::confirmErase(const QString& question)
{
    return Editor_->document()->isEmpty() || services_.ui.askYesNo(question);
}

void MessageComposer::chooseAndLoad()
{
    const QString file = QFileDialog::getOpenFileName(
        this, {}, {},
        "Text and HTML Files (*.htm *.html *.txt *.rtf);;Rich Text Files (*.rtf);;HTML Files (*.htm *.html);;"
        "Text Files (*.txt);;All Files (*)");
    if (!file.isEmpty())
        loadFile(file);
}

void MessageComposer::loadFile(const QString& path)
{
    if (!confirmErase("Opening a file will erase all of the current text in your message editing area.  Are you "
                      "sure you want to continue?"))
        return;
    QString reason;
    if (isHtmlFile(path)) {
        const std::optional<QString> html = readText(path, &reason);
        if (!html) {
            services_.ui.warn("Load Error: " + reason);
            return;
        }
        setHtml(true);
        Editor_->clear();
        edtMessageBody_ = *html;
        composition_.CustomHTMLLoaded = true;
        previewFromCustomHtml_ = true;
        if (pgcMessage_->currentIndex() == kPreviewPage)
            pgcMessageChange(kPreviewPage);
        else
            pgcMessage_->setCurrentIndex(kPreviewPage);
        return;
    }
    pgcMessage_->setCurrentIndex(kBodyPage);
    if (QFileInfo(path).suffix().compare("rtf", Qt::CaseInsensitive) == 0) {
        // The editor takes the converter's HTML straight from memory.
        QFile rtf(path);
        QBuffer html;
        html.open(QIODevice::WriteOnly);
        reason = rtf.open(QIODevice::ReadOnly)
                     ? RtfToHtmlConverter(rtf, html, [this](const QString& line) {
                           services_.logs.AddToDebugLog(line);
                       }).convert({}, {})
                     : rtf.errorString();
        if (!reason.isEmpty()) {
            services_.ui.warn("Load Error: " + reason);
            return;
        }
        setHtml(true);
        Editor_->setHtml(QString::fromUtf8(html.data()));
        return;
    }
    const std::optional<QString> text = readText(path, &reason);
    if (!text) {
        services_.ui.warn("Load Error: " + reason);
        return;
    }
    Editor_->setPlainText(*text);
}

void MessageComposer::pasteIntoPreview()
{
    if (!confirmErase("Pasting a message in preview mode will erase all of the current text in your message "
                      "editing area.  Are you sure you want to continue?"))
        return;
    const QString pasted = QApplication::clipboard()->text();
    if (pasted.isEmpty()) {
        services_.ui.warn("Paste Error: the clipboard holds no text");
        return;
    }
    Editor_->clear();
    edtMessageBody_ = pasted;
    composition_.CustomHTMLLoaded = true;
    if (pasted.contains("<HTML") || pasted.contains("<html")) {
        setHtml(true);
        previewFromCustomHtml_ = true;
        if (pgcMessage_->currentIndex() != kPreviewPage) {
            pgcMessage_->setCurrentIndex(kPreviewPage);
            return;
        }
    }
    showPreview();
}

void MessageComposer::editInOutsideEditor()
{
    const QString file = freeEditorFile();
    if (!writeTextFileAtomically(file, edtMessageBody_.toUtf8()) || !openInEditor(file)) {
        services_.ui.warn("Error encountered opening your messsage in your editor");
        return;
    }
    composition_.lbxDeleteFiles << file;
    const Ui::Answer answer = services_.ui.message(
        Ui::Icon::Information,
        "Your message has been opened in your HTML Editor.  When you have completed editing of your message:\n\n1. "
        "Click 'Save' in your HTML editor\n2. Close your HTML Editor\n3. Click OK to load your changes",
        Ui::Buttons::OkCancel);
    if (answer != Ui::Answer::Ok)
        return;
    const std::optional<QString> edited = readText(file);
    if (!edited) {
        services_.ui.warn("Error encountered opening your messsage in your editor");
        return;
    }
    edtMessageBody_ = *edited;
    composition_.CustomHTMLLoaded = true;
    showPreview();
}

void MessageComposer::chooseAndSave()
{
    QFileDialog chooser(this);
    chooser.setAcceptMode(QFileDialog::AcceptSave);
    chooser.setOption(QFileDialog::DontConfirmOverwrite);
    chooser.setNameFilters({"HTML File (*.HTML)", "HTML File (*.HTM)"});
    chooser.setDefaultSuffix("HTML");
    if (chooser.exec() == QDialog::Accepted && !chooser.selectedFiles().isEmpty())
        saveHtml(chooser.selectedFiles().first());
}

void MessageComposer::saveHtml(const QString& path)
{
    if (!CheckOverwriteFile(services_.ui, path))
        return;
    QString reason;
    if (!writeTextFileAtomically(path, edtMessageBody_.toUtf8(), &reason))
        services_.ui.warn(cannotWriteText(path, reason));
}

void MessageComposer::spellCheck()
{
    if (!spelling_)
        spelling_ = SpellChecker::open(QLocale::system());
    if (!spelling_) {
        services_.logs.debug("SpellCheck", "Unable to load the spelling dictionaries");
        services_.ui.warn("CVN was unable to access the spell checker of the spelling dictionaries.");
        return;
    }
    QString line = subject();
    const bool subjectDone = spellCheckLine(line, *spelling_, decideSpelling);
    edtMessageSubject_->setText(line);
    if (!subjectDone)
        return;
    if (!spellCheckDocument(*Editor_->document(), *spelling_, decideSpelling))
        return;
    Editor_->moveCursor(QTextCursor::Start);
    services_.ui.inform("Spell checking has been completed.");
}

void MessageComposer::printMessage()
{
    if (!chkHTML_->isChecked())
        return;
    QPrinter printer;
    QPrintDialog dialog(&printer, this);
    if (dialog.exec() == QDialog::Accepted)
        Editor_->print(&printer);
}

void MessageComposer::showRawContents()
{
    if (chkHTML_->isChecked())
        services_.ui.inform(writeRtf(*Editor_->document()));
}
