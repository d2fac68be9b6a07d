#pragma once

#include "setup/ui/SettingBindings.h"

#include <QWidget>

class Tdlgoptions;
struct OptionsServices;
struct Settings;

// One page of the options dialog. It shows the dialog's copy of the settings and
// writes its controls back into that copy; only the dialog's OK commits the copy.
// Controls made through bindings() load and store themselves; a page overrides
// load and store for the rest, calling these first.
class OptionsPage : public QWidget {
    Q_OBJECT
public:
    // title: the page's tab; the object name is "page" + the title without spaces.
    OptionsPage(const QString& title, Tdlgoptions& dialog, OptionsServices& services);

    virtual void load(const Settings& s) { bindings_.load(s); }
    virtual void store(Settings& s) const { bindings_.store(s); }

protected:
    SettingBindings& bindings() { return bindings_; }
    Tdlgoptions& dialog() { return dialog_; }
    OptionsServices& services() { return services_; }

private:
    SettingBindings bindings_;
    Tdlgoptions& dialog_;
    OptionsServices& services_;
};
