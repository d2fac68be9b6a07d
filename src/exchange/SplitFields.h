#pragma once

#include <QString>
#include <QStringList>

// The fields of one line cut at every separator, each trimmed of blanks and
// control characters; with stripQuotes one leading and one trailing double quote
// go (the value is not trimmed again), with keepEmpty empty fields stay. An empty
// line, or one that is only the separator, has no fields; a trailing separator
// adds no empty field. There is no quoting: a separator inside quotes still cuts
// (DelimitedReader reads quoted fields). An empty separator means ",".
QStringList SplitFields(const QString& line, const QString& separator, bool stripQuotes, bool keepEmpty);
