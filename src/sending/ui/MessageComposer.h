#pragma once

#include "sending/MessageComposition.h"
#include "sending/SpellCheck.h"

#include <QWidget>
#include <functional>
#include <memory>

class FormatToolbar;
class Logs;
class QAction;
class QCheckBox;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QTabWidget;
class QTextBrowser;
class QTextEdit;
class QToolBar;
class SpellChecker;
class Ui;
struct Settings;

// The composing half of the send dialog: subject, the editor (rich text or plain),
// the preview of the HTML body, fields, images, links, attachments and spelling.
// The send dialog puts the recipients and the send buttons around it.
class MessageComposer : public QWidget {
    Q_OBJECT
public:
    struct Services {
        Settings& settings;
        Logs& logs;
        Ui& ui;
        // The SMTP settings dialog; true when it was confirmed.
        std::function<bool()> editSmtpSettings;
        // The help viewer for a topic number; without one the help item is disabled.
        std::function<void(int topic)> showHelp;
    };

    MessageComposer(Services services, QWidget* parent = nullptr);
    ~MessageComposer() override;

    // A new message: the signature below an empty line, HTML as last time.
    void startNewMessage();
    // Deletes the temporary files and keeps the HTML choice for the next message.
    void finish();

    QString subject() const;
    bool isHtml() const;
    QString GetMessageBody();
    // The editor's text, as the plain part beside an HTML body.
    QString plainText() const;
    // The body as the send log keeps it: the HTML when it was loaded, pasted or
    // edited outside, else the editor's contents (rich text as RTF, or plain text).
    QString logBody() const;
    bool GetSalutationCheck(bool recompute);
    bool CheckSendingFormat();
    QStringList trueAttachments() const { return composition_.trueAttachments(); }
    MessageComposition& composition() { return composition_; }

    // The commands behind the buttons, once their file is chosen.
    void loadFile(const QString& path);
    void attachFiles(const QStringList& paths);
    void insertImageFile(const QString& path);
    void insertLink(const QString& type, const QString& link, const QString& text);
    void insertField(const QString& code);
    void pasteIntoPreview();
    void saveHtml(const QString& path);
    void editInOutsideEditor();
    void spellCheck();
    void setHtml(bool on);

    // Opens a file in the person's HTML editor ("edit" action); replaceable for tests.
    std::function<bool(const QString& file)> openInEditor;
    // Asks what to do with a misspelt word; replaceable for tests.
    SpellDecide decideSpelling;

protected:
    void resizeEvent(QResizeEvent* event) override;

signals:
    // A field code went in: the recipient count can tell personalised copies apart.
    void personalised();

private:
    void buildToolbar();
    void placeToolbars();
    QWidget* buildPreviewPage();
    QWidget* buildAttachments();
    void chkHTMLClick();
    void pgcMessageChange(int index);
    bool GenerateHTML(bool forPreview);
    void showPreview();
    void refreshTools();
    void InsertString(const QString& text, bool intoSubject);
    bool confirmErase(const QString& question);
    void chooseAndLoad();
    void chooseAndSave();
    void chooseImage();
    void chooseLink();
    void printMessage();
    void showRawContents();

    Services services_;
    MessageComposition composition_;
    QString edtMessageBody_;  // the HTML body, shown on the preview
    bool previewFromCustomHtml_ = false;
    bool subjectHadFocus_ = false;
    int currentPage_ = 0;
    std::unique_ptr<SpellChecker> spelling_;

    QLineEdit* edtMessageSubject_;
    QGridLayout* toolbars_;
    QToolBar* tlbMain_;
    FormatToolbar* tlbFormat_;
    QAction* actCut_;
    QAction* actCopy_;
    QAction* actPaste_;
    QAction* actUndo_;
    QAction* actSpellCheck_;
    QAction* sepSpellCheck_;
    QTabWidget* pgcMessage_;
    QTextEdit* Editor_;
    QTextBrowser* brwPreview_;
    QCheckBox* chkHTML_;
    QListWidget* lbxAttachments_;
};
