#pragma once

#include <QString>
#include <QStringList>

// The codes that the image and link buttons put into the editor, numbered from 1
// in the order of insertion, and what they become in the HTML body.

// "%IMAGE" + n + "%".
QString imageCode(int n);
// "%LINK" + n + "%" + the link text + "%LINKEND%".
QString linkCode(int n, const QString& text);

// The text with every image and link code taken out (letter case aside); the link
// texts stay.
QString withoutInsertCodes(const QString& text);

struct ReplacedInsertCodes {
    QString html;
    QStringList usedImages;  // the images whose code occurs, in image order
};

// Image n's code, in any letter case, becomes `<img src="` + its file name (no
// folder) + `" border="0">`; while there are links, link n's code becomes
// `<A HREF="` + its target + `">` and "%LINKEND%" "</A>". The HTML is read once,
// left to right: a code is whole (so "%IMAGE1%" never takes the front of
// "%IMAGE10%") and nothing a replacement brings in is replaced again. Codes of
// numbers that were never inserted stay as they are.
ReplacedInsertCodes replaceInsertCodes(const QString& html, const QStringList& imageSources,
                                       const QStringList& links);
