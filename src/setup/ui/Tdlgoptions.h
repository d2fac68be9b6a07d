#pragma once

#include "settings/Settings.h"

#include <QDialog>
#include <functional>
#include <vector>

class OptionsPage;
class QTabWidget;
struct OptionsServices;

// "Options": the pages of the settings over a copy of them. OK runs its checks
// in order (a failing one keeps the dialog open) and then commits the copy and
// saves it; Cancel discards the copy, so nothing of the edits survives.
class Tdlgoptions : public QDialog {
    Q_OBJECT
public:
    Tdlgoptions(OptionsServices& services, const Settings& current, QWidget* parent = nullptr);
    ~Tdlgoptions() override;

    // Shows the dialog over a copy of settings, with only the page of that title when
    // one is given; on OK the copy replaces settings. True when it did.
    static bool edit(QWidget* parent, OptionsServices& services, Settings& settings, const QString& onlyPage = {});

    // The copy as the pages show it now.
    Settings edited() const;
    // For a command that changes the settings outside its own page (the set-up
    // wizard, the advanced settings): every page writes its controls into the copy,
    // change edits it, and every page shows the copy again.
    void editDraft(const std::function<void(Settings&)>& change);
    void showPage(const QString& title);

    void accept() override;

private:
    void loadPages();
    // The checks of OK, in order; false when one failed (it said why).
    bool okChecksPass(Settings& next);

    OptionsServices& services_;
    Settings draft_;
    const Settings original_;
    QTabWidget* pgOptions_;
    std::vector<OptionsPage*> pages_;
};
