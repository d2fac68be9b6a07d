#pragma once

#include "base/Ui.h"

#include <QDialog>
#include <optional>

class QCheckBox;
class QLineEdit;

// "Update E-mail Address": the old and the new address, and the "Ignore All
// Rules" box when the caller shows it.
class TdlgChangeAddress : public QDialog {
    Q_OBJECT
public:
    TdlgChangeAddress(const QString& oldAddress, const QString& newAddress, bool showIgnoreRules,
                      QWidget* parent = nullptr);

    Ui::AddressChange change() const;

    // Shows the dialog modally; nullopt on Cancel or Escape.
    static std::optional<Ui::AddressChange> ask(QWidget* parent, const QString& oldAddress,
                                                const QString& newAddress, bool showIgnoreRules);

private:
    QLineEdit* edtOldAddress;
    QLineEdit* edtNewAddress;
    QCheckBox* chkIgnoreRules;
};
