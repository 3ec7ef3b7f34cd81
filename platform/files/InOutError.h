#pragma once

#include "platform/Exceptions.h"

#include <QString>

// The runtime's input/output error codes that the history files meet.
namespace InOutCode {
inline constexpr int FileNotFound = 2;
inline constexpr int PathNotFound = 3;
inline constexpr int TooManyOpenFiles = 4;
inline constexpr int AccessDenied = 5;
inline constexpr int GeneralFailure = 31;
inline constexpr int SharingViolation = 32;
inline constexpr int DiskFull = 101;
inline constexpr int FileNotOpenForInput = 104;
inline constexpr int FileNotOpenForOutput = 105;
} // namespace InOutCode

// The message of an input/output error: "File not found" for 2, ... "I/O error N" otherwise.
QString InOutErrorMessage(int code);

// The input/output error for a code, carrying InOutErrorMessage(code).
EInOutError InOutError(int code);
