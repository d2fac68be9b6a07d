#pragma once

#include "mailings/RecipientChoice.h"

#include <QStringList>
#include <QWidget>
#include <functional>

class QCheckBox;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class Ui;

// "Message Recipients": which entries a run sends to, the person's own address
// list, and the extra To and CC addresses every message carries. A panel for the
// send dialog to hold; it only gathers the choice, the send run reads it.
class TdlgAddRecip : public QWidget {
    Q_OBJECT
public:
    struct Options {
        bool relayServer = false;             // EmailMethod is the relay server
        bool oneMessagePerRecipient = false;  // MessageRecipientCount is 1
        // The main window shows "Select Groups", "Search Mailing List" or "Other":
        // the selection can be chosen and is named by the view's description.
        bool selectionAvailable = false;
        QString viewDescription;
        // Addresses harvested from a mail folder the person picks; the button is
        // off without it.
        std::function<QStringList()> fromMailFolder;
    };

    TdlgAddRecip(Ui& ui, Options options, QWidget* parent = nullptr);

    RecipientChoice choice() const;
    void setChoice(RecipientChoice choice);
    // The custom list's lines that hold more than blanks.
    QStringList customLines() const;
    bool ignoreInvalid() const;
    QStringList extraTo() const;
    QStringList extraCC() const;
    // The custom list's addresses the address check refused, shown below the list.
    void setRejects(const QStringList& rejects);

    // After the sending options changed.
    void setSendingMethod(bool relayServer, bool oneMessagePerRecipient);
    // DefaultToAddress, which the program adds without the rules for typed ones.
    void addDefaultTo(const QString& address);

signals:
    // The choice or the custom list changed: the recipient table must be rebuilt.
    void recipientsChanged();
    // The extra To or CC list changed.
    void extrasChanged();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void choiceChanged();
    void btnPasteClick();
    void btnLoadClick();
    void btnFromFolderClick();
    void btnAddClick();
    void btnRemoveClick();
    void addTyped(QLineEdit* field, QListWidget* list);
    void addToList(QListWidget* list, const QString& address);

    Ui& ui_;
    Options options_;
    QRadioButton* rdbAll_;
    QRadioButton* rdbSelection_;
    QRadioButton* rdbCustom_;
    QPlainTextEdit* memCustom_;
    QPushButton* btnPaste_;
    QPushButton* btnLoad_;
    QPushButton* btnFromFolder_;
    QCheckBox* chkIgnoreInvalid_;
    QPlainTextEdit* memrejects_;
    QLineEdit* edtTo_;
    QLineEdit* edtCC_;
    QListWidget* lbxTo_;
    QListWidget* lbxCC_;
};
