#pragma once

#include <QFile>
#include <QString>
#include <functional>
#include <optional>

// A file that can no longer be used (a damaged table, an unreadable settings file)
// is kept beside its replacement for the person to recover from. A kept copy is
// never replaced: the first is FILE + suffix, later ones FILE + suffix + "-2", "-3", ...

// Renames the file to the first of those names that is free, without ever
// replacing one (the rename itself refuses a taken name, so two copies of the
// program moving files aside at once cannot pick the same name). The name used,
// or nullopt when the file could not be moved, with the reason in *reason.
std::optional<QString> moveAside(const QString& file, const QString& suffix, QString* reason = nullptr);

// The same, leaving the file where it is: `write` fills the new file under the
// kept name, which is on the disk when this returns. The caller reads the file its
// own way: a table file must not be opened a second time while the engine holds
// it, since closing any handle on a file drops all of a process's locks on it.
std::optional<QString> copyAside(const QString& file, const QString& suffix,
                                 const std::function<bool(QFile& copy)>& write, QString* reason = nullptr);
