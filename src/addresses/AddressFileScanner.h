#pragma once

#include "addresses/AddressExtractor.h"

#include <QString>
#include <QStringList>

#include <optional>

// The addresses in a text file, or in standard input for "-", in order of
// appearance, as the line scanner accepts them (exception list applied), each
// handed to `found` as soon as its text has been read. The text is read as
// TextDecoder reads every text file, in pieces, so any input is scanned in
// bounded memory. False, with `error` saying why, when the input cannot be
// opened or read to its end (what was found before that was handed on).
// `pieceScanned`, when given, is called after each piece of the input, so a caller
// can pass on what was found as the input comes without a step per address.
bool scanAddressFile(const QString& path, const QStringList& exceptList, const AddressScanner::Found& found,
                     QString& error, const std::function<void()>& pieceScanned = {});

// The same, collected: nullopt, with `error` set, when the input cannot be read.
std::optional<QStringList> extractAddressesFromFile(const QString& path, const QStringList& exceptList,
                                                    QString& error);
