#pragma once

#include "platform/Exceptions.h"

#include <QString>

class ESqliteError;

// The provider's errors: EOleException with the provider's description, the provider's
// source name and the generic failure code.

// The source name every provider error carries.
inline constexpr const char* kProviderSource = "SQLite database provider";
// E_FAIL, the code of every provider error.
inline constexpr long kProviderErrorCode = static_cast<long>(0x80004005L);

EOleException ProviderError(const QString& message);

// SQLite's failure on the database file at path, in words for the user: a busy or locked
// database, a read-only file, or SQLite's own message (a failed CHECK, a syntax error, ...).
EOleException ProviderError(const ESqliteError& error, const QString& path);
