#pragma once

#include <QString>

#include <cstdint>
#include <optional>

// What tells one file from another whatever it is called: its device and its file number
// (the inode on Unix). Two paths with one identity name the same file, through hard or
// symbolic links, "." and ".." or another spelling of the same folder.
struct FileIdentity {
    std::uint64_t device = 0;
    std::uint64_t file = 0;

    friend bool operator==(const FileIdentity&, const FileIdentity&) = default;
};

// The identity of the file a path names, following symbolic links; none when nothing is
// there or the path cannot be examined.
std::optional<FileIdentity> IdentityOfFile(const QString& path);
