#include "app/ConsoleUi.h"

ConsoleUi::ConsoleUi(bool answerYes, QTextStream& out, QTextStream& err)
    : answerYes_(answerYes), out_(out), err_(err)
{
}

Ui::Answer ConsoleUi::answerFor(Buttons buttons) const
{
    switch (buttons) {
    case Buttons::Ok: return Answer::Ok;
    case Buttons::OkCancel: return answerYes_ ? Answer::Ok : Answer::Cancel;
    case Buttons::YesNo:
    case Buttons::YesNoCancel: return answerYes_ ? Answer::Yes : Answer::No;
    }
    return Answer::Cancel;
}

void ConsoleUi::print(QTextStream& stream, const QString& text)
{
    stream << text << Qt::endl;
}

Ui::Answer ConsoleUi::message(Icon icon, const QString& text, Buttons buttons)
{
    const bool problem = icon == Icon::Warning || icon == Icon::Error;
    const Answer answer = answerFor(buttons);
    // A question's answer is the caller's to handle; a notice is all there is.
    if (problem && buttons == Buttons::Ok)
        ++problemsTold_;
    QString line = text;
    if (buttons != Buttons::Ok) {
        const bool yes = answer == Answer::Yes || answer == Answer::Ok;
        const bool okStyle = buttons == Buttons::OkCancel;
        line += "\n-> " + QString(yes ? (okStyle ? "Ok" : "Yes") : (okStyle ? "Cancel" : "No"));
    }
    print(problem ? err_ : out_, line);
    return answer;
}

std::optional<QString> ConsoleUi::inputText(const QString& title, const QString& prompt,
                                            const QString&)
{
    print(out_, title + ": " + prompt + "\n-> (no answer)");
    return std::nullopt;
}

void ConsoleUi::showProgress(const QString& caption, int total, bool)
{
    if (total != 1)
        print(out_, caption);
}

std::optional<QString> ConsoleUi::chooseDatabaseFolder(const QString&)
{
    print(out_, "Create/Open Mailing List Database\n-> (no folder chosen)");
    return std::nullopt;
}
