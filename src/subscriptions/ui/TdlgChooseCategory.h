#pragma once

#include <QDialog>
#include <QStringList>
#include <functional>
#include <optional>

class QComboBox;
class QLabel;

// "Choose Group": a heading and an editable list of the groups. OK runs the
// caller's check, which may correct the text; while it refuses the dialog stays.
class TdlgChooseCategory : public QDialog {
    Q_OBJECT
public:
    using AcceptFn = std::function<bool(QString& group)>;

    TdlgChooseCategory(const QString& heading, const QStringList& groups, const QString& initial,
                       AcceptFn accept, QWidget* parent = nullptr);

    QString group() const;

    // Shows the dialog modally; nullopt on Cancel or Escape.
    static std::optional<QString> choose(QWidget* parent, const QString& heading,
                                         const QStringList& groups, const QString& initial,
                                         const AcceptFn& accept);

public slots:
    void accept() override;

private:
    QLabel* lblHeading;
    QComboBox* cmbcategory;
    AcceptFn accept_;
};
