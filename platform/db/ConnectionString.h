#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <vector>

// An OLE DB style connection string: `key=value` pairs separated by ";". Keys ignore letter
// case and surrounding blanks; a value may be quoted with " or ' (a doubled quote inside
// stands for one) and then keeps its ";" and blanks. Empty pairs are skipped.
class ConnectionString {
public:
    // Throws EOleException when a pair has no "=" or a quoted value is not closed.
    explicit ConnectionString(const QString& text);

    // The value of the last pair with this key, if any.
    std::optional<QString> value(const QString& key) const;

    const std::vector<std::pair<QString, QString>>& pairs() const noexcept { return pairs_; }

    // A value as the parser reads it back whole: in double quotes, each quote inside doubled,
    // so that a ";", "=" or quote in it (a folder's name) cannot end it or add pairs.
    static QString quoted(const QString& value);

private:
    std::vector<std::pair<QString, QString>> pairs_;
};
