#pragma once

#include <QString>
#include <stdexcept>

// A failure of the table engine, sorted into the classes the callers act on:
// a damaged table file (repair is offered), a table held by another copy of the
// program, or anything else.
class StoreError : public std::runtime_error {
public:
    enum class Kind { Damaged, Locked, Other };

    StoreError(Kind kind, int code, const QString& text)
        : std::runtime_error(text.toStdString()), kind_(kind), code_(code) {}

    Kind kind() const { return kind_; }
    int code() const { return code_; }  // the engine's own result code
    QString text() const { return QString::fromStdString(what()); }

private:
    Kind kind_;
    int code_;
};
