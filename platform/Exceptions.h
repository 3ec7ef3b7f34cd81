#pragma once

#include <QString>

#include <exception>
#include <string>

// The base of every error the program raises. The message is what the user sees.
class Exception : public std::exception {
public:
    explicit Exception(QString message);

    const QString& message() const noexcept { return message_; }
    const char* what() const noexcept override { return utf8_.c_str(); }

private:
    QString message_;
    std::string utf8_;
};

// Ends the current command without a report.
class EAbort : public Exception {
public:
    EAbort();
};

// A check of the data set failed.
class EDatabaseError : public Exception {
public:
    using Exception::Exception;
};

// A conversion between text and a value could not be made.
class EConvertError : public Exception {
public:
    using Exception::Exception;
};

// A floating-point result does not fit its type ("Floating point overflow").
class EOverflow : public Exception {
public:
    EOverflow();
};

// A file operation failed; the code is the platform's error number.
class EInOutError : public Exception {
public:
    EInOutError(QString message, int errorCode);

    int errorCode() const noexcept { return errorCode_; }

private:
    int errorCode_;
};

// A file could not be opened ("Cannot open file "%s". %s").
class EFOpenError : public Exception {
public:
    using Exception::Exception;
};

// A platform component failed with an error code.
class EOleSysError : public Exception {
public:
    EOleSysError(QString message, long errorCode);

    long errorCode() const noexcept { return errorCode_; }

private:
    long errorCode_;
};

// The database provider failed; the message is its description.
class EOleException : public EOleSysError {
public:
    EOleException(QString message, long errorCode, QString source, QString helpFile = {});

    const QString& source() const noexcept { return source_; }
    const QString& helpFile() const noexcept { return helpFile_; }

private:
    QString source_;
    QString helpFile_;
};
