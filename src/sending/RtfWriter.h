#pragma once

#include <QString>

class QTextDocument;

// The editor's rich text as RTF, the form it is saved in and that the RTF to HTML
// converter reads: a font table and a colour table (an opening empty entry, so
// \cfN is the N-th colour written), then per paragraph \pard with its alignment
// (\qc, \qr), indent (\li) and list item ({\*\pn ...}), per run of one format
// \plain and the run's words (\b \i \ul \strike \super \sub \fN \fsN \cfN), and
// \par between paragraphs. Text outside ASCII goes as \'hh when Windows-1252 has
// it, else as \uN?. Tables come out as their cells' paragraphs, one after another;
// embedded pictures are left out (images travel as image codes instead).
QString writeRtf(const QTextDocument& document);
