#include "setup/ui/Tdlgoptions.h"

#include "base/Ui.h"
#include "logs/Logs.h"
#include "setup/ui/OptionsPage.h"
#include "setup/ui/OptionsPages.h"
#include "setup/ui/OptionsServices.h"
#include "subscriptions/GroupChoice.h"
#include "subscriptions/ListContext.h"
#include "util/ui/WindowRoutines.h"

#include <QDialogButtonBox>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

namespace {

constexpr int kFirstPageTopic = 302;
const QString kUserSendingPage = "User Sending";
const QString kRoutine = "btnOptionsOK";

// A group box left empty stands for the default group; only a named group is checked.
bool groupPasses(const ListContext& ctx, QString& group)
{
    return group.isEmpty() || CheckGroup(ctx, group, GroupTyped);
}

}  // namespace

Tdlgoptions::Tdlgoptions(OptionsServices& services, const Settings& current, QWidget* parent)
    : QDialog(parent), services_(services), draft_(current), original_(current)
{
    setObjectName("dlgoptions");
    setWindowTitle("Options");
    auto* layout = new QVBoxLayout(this);
    pgOptions_ = named<QTabWidget>("pgOptions", this);
    pages_ = makeOptionsPages(*this, services_);
    for (OptionsPage* page : pages_)
        pgOptions_->addTab(page, page->windowTitle());
    layout->addWidget(pgOptions_);
    auto* buttons = named<QDialogButtonBox>("btnsOptions", QDialogButtonBox::Ok | QDialogButtonBox::Cancel
                                                               | QDialogButtonBox::Help,
                                            this);
    buttons->button(QDialogButtonBox::Ok)->setObjectName("btnOptionsOK");
    buttons->button(QDialogButtonBox::Cancel)->setObjectName("btnOptionsCancel");
    QPushButton* help = buttons->button(QDialogButtonBox::Help);
    help->setObjectName("btnOptionsHelp");
    help->setEnabled(bool(services_.showHelp));
    connect(help, &QPushButton::clicked, this,
            [this] { services_.showHelp(kFirstPageTopic + pgOptions_->currentIndex()); });
    connect(buttons, &QDialogButtonBox::accepted, this, &Tdlgoptions::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    loadPages();
}

Tdlgoptions::~Tdlgoptions() = default;

bool Tdlgoptions::edit(QWidget* parent, OptionsServices& services, Settings& settings, const QString& onlyPage)
{
    Settings copy = settings;
    if (copy.EmailMethod < 0
        && services.ui.message(Ui::Icon::Information,
                               "Your preferred e-mail sending method has not been specified.  The default, "
                               "MAPI transport, will be used.  You can change this now under the 'Sending' "
                               "tab if you prefer.",
                               Ui::Buttons::OkCancel)
               == Ui::Answer::Ok) {
        copy.EmailMethod = 0;
        copy.AltSendMethod = 0;
    }
    Tdlgoptions dialog(services, copy, parent);
    if (!onlyPage.isEmpty()) {
        dialog.showPage(onlyPage);
        for (int i = 0; i < dialog.pgOptions_->count(); ++i)
            dialog.pgOptions_->setTabVisible(i, dialog.pgOptions_->tabText(i) == onlyPage);
    }
    if (dialog.exec() != QDialog::Accepted)
        return false;
    settings = dialog.draft_;
    if (services.applied)
        services.applied(settings);
    return true;
}

Settings Tdlgoptions::edited() const
{
    Settings s = draft_;
    for (const OptionsPage* page : pages_)
        page->store(s);
    return s;
}

void Tdlgoptions::editDraft(const std::function<void(Settings&)>& change)
{
    draft_ = edited();
    change(draft_);
    loadPages();
}

void Tdlgoptions::showPage(const QString& title)
{
    for (OptionsPage* page : pages_)
        if (page->windowTitle() == title)
            pgOptions_->setCurrentWidget(page);
}

void Tdlgoptions::loadPages()
{
    for (OptionsPage* page : pages_)
        page->load(draft_);
}

bool Tdlgoptions::okChecksPass(Settings& next)
{
    Ui& ui = services_.ui;
    const ListContext ctx = services_.listContext(next);
    constexpr int kChangeTheGroup = 1;
    if (next.WrongCategory == kChangeTheGroup && !groupPasses(ctx, next.AlternativeCategory))
        return false;
    if (!groupPasses(ctx, next.defaultcategory))
        return false;
    if (next.ProcessWebForms && next.WebFormSubject.isEmpty()) {
        ui.inform("You have selected the option to have CVN process web forms, but have not entered the "
                  "subject text so that it can identify relevant messages.");
        return false;
    }
    if (next.UserSending && next.UserSendingFolder.isEmpty()) {
        ui.inform("You have set the option to allow users to send messages to your list, but have not "
                  "specified which folder to scan!");
        showPage(kUserSendingPage);
        return false;
    }
    constexpr int kDefaultInboxOnly = 1;
    if (next.UserSending && next.ForwardAll
        && (next.UserSendingFolder == next.MailingListFolder || next.RetrieveMethod == kDefaultInboxOnly)) {
        ui.inform("You have set the option to forward all user messages in the folder '" + next.UserSendingFolder
                  + "'.  However this is the same folder that you have selected to scan for Subscribe/Unsuscribe "
                    "messages.  "
                  + "This would cause all Subscribe/Unsubscribe messages to be forwarded to your mailing list.  "
                    "Please select a new folder!");
        showPage(kUserSendingPage);
        return false;
    }
    return true;
}

void Tdlgoptions::accept()
{
    services_.logs.debug(kRoutine, "Commence");
    Settings next = edited();
    if (!okChecksPass(next)) {
        // A check may have added a group to the list: the pages show it.
        draft_ = next;
        loadPages();
        return;
    }
    if (next.StrictChangeDetection != original_.StrictChangeDetection)
        services_.ui.inform("The changes to the database settings you have made will not take effect until "
                            "you restart the application!");
    if (next.defaultcategory.isEmpty())
        next.defaultcategory = "Default";
    if (next.AlternativeCategory.isEmpty())
        next.AlternativeCategory = next.defaultcategory;
    draft_ = next;
    if (services_.save)
        services_.save(draft_);
    services_.logs.debug(kRoutine, "End");
    QDialog::accept();
}
