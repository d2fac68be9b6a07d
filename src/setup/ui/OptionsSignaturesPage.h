#pragma once

#include "setup/ui/OptionsPage.h"

class QPlainTextEdit;

// "Signatures": the signature of messages sent to the list and the one added to
// user messages forwarded to it, each filled by hand, from the clipboard or a file.
class OptionsSignaturesPage : public OptionsPage {
    Q_OBJECT
public:
    OptionsSignaturesPage(Tdlgoptions& dialog, OptionsServices& services);

private:
    // The text box with its "Paste" and "Load.." buttons beneath.
    QWidget* signatureEditor(QPlainTextEdit* text);
    void paste(QPlainTextEdit* text);
    void loadFile(QPlainTextEdit* text);
};
