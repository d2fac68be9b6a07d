#pragma once

#include <QString>
#include <QStringList>

#include <optional>

class TextChunkReader;

// The addresses in a text file, in order of appearance, as the line scanner
// accepts them (exception list applied). The file is read as UTF-8, or as
// Windows-1252 when it is not valid UTF-8. nullopt, with `error` set, when the
// file cannot be read.
std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    QString& error);
std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    const TextChunkReader& reader, QString& error);
