#pragma once

#include <QString>
#include <QStringList>
#include <functional>

// Converts the RTF file into the HTML file. backgroundColour "#RRGGBB" or empty (white), title empty for none.
// Returns the error text of an input/output failure (the HTML file is still finished as far as possible), else empty.
// The HTML is written in UTF-8. No options are defined yet; the list is accepted for callers that pass one.
QString ConvertRtfToHtml(const QString& rtfPath, const QString& htmlPath, const QStringList& options,
                         const QString& backgroundColour, const QString& title,
                         const std::function<void(const QString&)>& debugLine);

// The HTML of rich text held in memory (a logged message body); a damaged text is
// finished as far as it goes, so some of it always shows.
QString RtfTextToHtml(const QString& rtf);
