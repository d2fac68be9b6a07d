#pragma once

#include <QDialog>
#include <optional>

class QComboBox;
class QLineEdit;

// "Create Link": the kind of link, where it goes and the text the reader clicks.
class TdlgCreateLink : public QDialog {
    Q_OBJECT
public:
    struct Link {
        QString type;  // "http://" or "mailto:"
        QString link;
        QString text;
    };

    TdlgCreateLink(const QString& selectedText, QWidget* parent = nullptr);
    static std::optional<Link> ask(const QString& selectedText, QWidget* parent);

    void accept() override;
    Link link() const;

private:
    QComboBox* cmbLinkType_;
    QLineEdit* edtLink_;
    QLineEdit* edtLinkText_;
};
