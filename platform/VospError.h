#pragma once
// The one error type of the program: a number, a source chain and a
// description, as the whole system reports failures.
#include <QString>
#include <cstdint>
#include <exception>
#include <string>

// Application errors are numbered from this base (0x80040000 as signed).
inline constexpr int32_t ErrBase = -2147221504;

class VospError : public std::exception {
public:
    VospError(int32_t number, QString source, QString description);
    const char* what() const noexcept override;

    int32_t number = 0;
    QString source;
    QString description;

private:
    mutable std::string what_;
};

// The runtime's own description of a classic error number ("" when none).
QString ClassicErrorText(int32_t number);

// errno -> file error number 52..76 (isFolder picks 76 over 53 for ENOENT).
int32_t ErrnoToErrorNumber(int err, bool isFolder = false);

// Raises the file error that errno `err` stands for; the description names the path.
[[noreturn]] void ThrowFileError(int err, const QString& path, bool isFolder = false);
[[noreturn]] void ThrowError(int32_t number, const QString& description = {});
