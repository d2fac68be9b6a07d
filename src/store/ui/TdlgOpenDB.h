#pragma once

#include <QDialog>
#include <optional>

class QFileSystemModel;
class QLineEdit;
class QPushButton;
class QTreeView;
class Ui;

// "Create/Open Mailing List Database": a folder tree, the chosen folder and a
// description of the database in it. Questions and warnings go through the Ui.
class TdlgOpenDB : public QDialog {
    Q_OBJECT
public:
    TdlgOpenDB(Ui& ui, const QString& initialFolder, QWidget* parent = nullptr);

    // The dialog once, modally; the chosen folder (ending in "/") or nullopt.
    static std::optional<QString> choose(Ui& ui, const QString& current, QWidget* parent = nullptr);

    // The folder field's text, ending in "/" (empty when nothing is selected).
    QString folder() const;
    // Shows the folder in the tree (when it exists) and in the fields.
    void selectFolder(const QString& folder);

    // The "Database:" text for a folder: the quoted name from DBInfo.ddt, "Unknown
    // Database", "V3 Format Database" or "No database found".
    static QString describeFolder(const QString& folder);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void setFolderText(const QString& folder);
    void refreshDescription();
    void btnOKClick();
    void btnNewFolderClick();

    Ui& ui_;
    QFileSystemModel* model_;
    QTreeView* tvFolders_;
    QLineEdit* edtFolder_;
    QLineEdit* edtDatabase_;
    QPushButton* btnOK_;
    QPushButton* btnNewFolder_;
    QPushButton* btnCancel_;
};
