#pragma once

#include <QDialog>

class MailStores;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QTreeWidget;
class QTreeWidgetItem;
class Ui;

// "Select Mail Account Folder": the folder tree of every store, loaded just after
// the dialog has painted, and a way to add a folder below the chosen one.
class TdlgGetOLFolder : public QDialog {
    Q_OBJECT
public:
    TdlgGetOLFolder(const MailStores& stores, Ui& ui, const QString& prompt, QWidget* parent = nullptr);

    // The selected node's folder path; empty when no folder is selected.
    QString folderPath() const;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void loadFolders();
    void nodeChanged(QTreeWidgetItem* node);
    void btnOKClick();
    void btnNewFolderClick();

    const MailStores& stores_;
    Ui& ui_;
    QLabel* lblPrompt_;
    QTreeWidget* tvFolders_;
    QDialogButtonBox* buttons_;
    QPushButton* btnOK_;
    QPushButton* btnNewFolder_;
    bool loadScheduled_ = false;
};

// Shows the picker modally with prompt as its heading; the chosen folder path on
// OK, empty otherwise.
QString GetOutlookFolder(QWidget* parent, const MailStores& stores, Ui& ui, const QString& prompt);
