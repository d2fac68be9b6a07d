#pragma once

#include <QStringList>

// Where a server that puts the returned original inline, in its own text body
// (qmail, Exim, Sendmail without MIME, and others), starts it: the index of the
// first line that introduces the copy, -1 when there is none. Only whole lines
// count, compared without case once dashes, '=', '+' and blanks are trimmed off
// both ends and one final '.' or ':' is dropped, so a sentence that merely
// mentions the original message is no marker. A session transcript ("----- Transcript
// of session follows -----") is the server's own text and no marker either.
qsizetype returnedCopyMarkerLine(const QStringList& lines);
