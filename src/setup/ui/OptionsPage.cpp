#include "setup/ui/OptionsPage.h"

OptionsPage::OptionsPage(const QString& title, Tdlgoptions& dialog, OptionsServices& services)
    : dialog_(dialog), services_(services)
{
    setWindowTitle(title);
    setObjectName("page" + QString(title).remove(' '));
}
