// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <exception>
#include <stdexcept>
#include <string>

namespace kalvor {

// Every failure the engine reports. Messages are Italian, short, and name the
// offending text or file; the screens show them as they are.
class Error : public std::runtime_error
{
public:
    using std::runtime_error::runtime_error;
};

// A text that is not a number of the expected kind.
class ConversionError : public Error
{
public:
    using Error::Error;
};

// A file that cannot be opened, read, written or renamed.
class FileError : public Error
{
public:
    using Error::Error;
};

// A division or another operation the program defines as failing.
class ArithmeticError : public Error
{
public:
    using Error::Error;
};

// A line or row index beyond the end of a list or table.
class ListIndexError : public Error
{
public:
    using Error::Error;
};

// An operation refused because its input is missing or unusable.
class RefusalError : public Error
{
public:
    using Error::Error;
};

// What a user is told of a failure: an Error's own (Italian) message; for a
// failure from the standard library or another library, whose text is
// English and technical, an Italian sentence with that text after it in
// brackets, escaped and cut as any quoted value.
std::string userMessage(const std::exception &error);

// Throws ArithmeticError when divisor is zero, otherwise returns the quotient.
double checkedDivide(double dividend, double divisor);

} // namespace kalvor
