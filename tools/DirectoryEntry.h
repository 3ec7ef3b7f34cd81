#pragma once

#include <QString>

#include <optional>

// One row of the table `tel` without its key. An empty optional is a NULL column.
struct DirectoryEntry {
    std::optional<double> tel;    // the phone number
    std::optional<QString> fio;   // person or organisation
    std::optional<QString> name;  // address: "<STREET> <house>-<apartment>" or "<STREET> <house>"
    std::optional<QString> story; // a note

    friend bool operator==(const DirectoryEntry&, const DirectoryEntry&) = default;
};
