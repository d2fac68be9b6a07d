#include "setup/ui/OptionsExceptionsPage.h"

#include "base/Ui.h"
#include "exchange/ImportFile.h"
#include "setup/ui/EntryListBox.h"
#include "setup/ui/OptionsServices.h"
#include "setup/ui/Tdlgoptions.h"
#include "subscriptions/ExceptionScan.h"
#include "subscriptions/ListContext.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <exception>

namespace {

constexpr EntryListForm kLowerCase{.lowerCase = true};

}  // namespace

OptionsExceptionsPage::OptionsExceptionsPage(Tdlgoptions& dialog, OptionsServices& services)
    : OptionsPage("Exceptions", dialog, services)
{
    lbxexceptions_ = new EntryListBox("lbxexceptions", "Exceptions (addresses containing these are invalid):",
                                      &Settings::ExceptList, kLowerCase, services.ui, this);
    lbxneversubscribe_ = new EntryListBox("lbxneversubscribe", "Blocked addresses:", &Settings::Never,
                                          kLowerCase, services.ui, this);
    connect(lbxexceptions_, &EntryListBox::edited, this, &OptionsExceptionsPage::exceptionsEdited);
    connect(lbxneversubscribe_, &EntryListBox::edited, this, &OptionsExceptionsPage::blockedEdited);

    auto* exceptions = new QVBoxLayout;
    exceptions->addWidget(lbxexceptions_);
    exceptions->addWidget(bindings().check("Except", "Do not allow the insertion of invalid addresses"));
    auto* blocked = new QVBoxLayout;
    blocked->addWidget(lbxneversubscribe_);
    blocked->addWidget(bindings().check("AddUnsubscribers", "If a user unsubscribes, add them to this list"));
    auto* layout = new QHBoxLayout(this);
    layout->addLayout(exceptions);
    layout->addLayout(blocked);
}

void OptionsExceptionsPage::load(const Settings& s)
{
    OptionsPage::load(s);
    lbxexceptions_->load(s);
    lbxneversubscribe_->load(s);
}

void OptionsExceptionsPage::store(Settings& s) const
{
    OptionsPage::store(s);
    lbxexceptions_->store(s);
    lbxneversubscribe_->store(s);
}

void OptionsExceptionsPage::exceptionsEdited()
{
    if (lbxexceptions_->items().isEmpty() || !services().ui.askYesNo(exceptionScanQuestion()))
        return;
    dialog().editDraft([this](Settings& s) { ScanDBForExceptions(services().listContext(s)); });
}

void OptionsExceptionsPage::blockedEdited()
{
    if (lbxneversubscribe_->items().isEmpty()
        || !services().ui.askYesNo("You have changed your blocked addresses list.  Do you want to scan your "
                                   "list now to ensure these addresses do not exist?"))
        return;
    // A removal may add to the blocked list itself (AddUnsubscribers): the lines are
    // taken before it starts.
    dialog().editDraft([this](Settings& s) {
        const QStringList blocked = s.Never;
        ImportOptions options;
        options.note = "Removal of Blocked addresses";
        ImportReport report;
        try {
            Importfile(services().listContext(s), blocked, false, options, ",", false, QString(), false,
                       report);
        } catch (const std::exception& e) {
            // What was removed before the failure stays removed.
            services().ui.warn("Error removing blocked addresses: " + QString::fromUtf8(e.what()));
        }
    });
}
