#pragma once

#include <QString>
#include <optional>

// Which file a path leads to, as the file system tells them apart: a file renamed
// away and another put in its place give different identities under one path.
struct FileIdentity {
    quint64 device = 0;
    quint64 node = 0;
    bool operator==(const FileIdentity&) const = default;
};

// nullopt when the path leads nowhere or the system cannot tell. Windows refuses
// to rename a file that another program holds open, so there an open file cannot
// be replaced under its user, and nullopt is all a caller needs.
std::optional<FileIdentity> fileIdentity(const QString& path);
