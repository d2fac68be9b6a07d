#pragma once

#include "mail/MailFolder.h"

#include <QString>

// MailError from the program's own text; what() carries it as UTF-8.
inline MailError mailError(const QString& text)
{
    return MailError(text.toStdString());
}

// What a store raises when a step of a folder path names no folder there.
inline MailError missingFolderError(const QString& step)
{
    return mailError("There is no folder named " + step);
}

// The text of a MailError, for a message after the calling step's own words.
inline QString mailErrorText(const MailError& error)
{
    return QString::fromStdString(error.what());
}

// A store that could not log in; the work goes on with the other stores.
inline QString logonErrorText(const MailError& error)
{
    return "An error was encountered logging into your profile: " + mailErrorText(error);
}
