#pragma once
// The program's failures: every one is an exception whose what() is the text
// the user sees.

#include <stdexcept>
#include <string>

namespace orbisk {

// Base of every failure of the program.
class Error : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The three floating-point failures of the extended-precision arithmetic.
enum class MathErrorKind { InvalidOperation, DivisionByZero, Overflow };

// A floating-point failure; its message is the platform's fixed text for the kind.
class MathError : public Error {
 public:
  explicit MathError(MathErrorKind kind);
  MathErrorKind kind() const { return kind_; }
  static const char* MessageFor(MathErrorKind kind);

 private:
  MathErrorKind kind_;
};

// Index, count or capacity out of bounds in a list.
class ListError : public Error {
 public:
  using Error::Error;
};

// A token of a data file that is not a number of its kind, and other faults of
// text read from outside.
class InputError : public Error {
 public:
  using Error::Error;
};

// A file that cannot be opened, created or written.
class FileError : public Error {
 public:
  using Error::Error;
};

// Replaces the first "%s" of a message template by text (no printf involved).
std::string FormatMessage(const std::string& pattern, const std::string& text);
// Replaces the first "%d" of a message template by the decimal value.
std::string FormatMessage(const std::string& pattern, long long value);

// A file name as a message shows it: control characters (C0, DEL, C1) and
// bytes that are not UTF-8 written as \xNN, so that a name cannot move the
// cursor of a terminal or break a line; everything else as it is.
std::string EscapeControlBytes(const std::string& name);
// FormatMessage with the file name escaped.
std::string FileMessage(const std::string& pattern, const std::string& path);

// The message the user sees for any exception that reaches a front end: an
// Error's own text, "Out of memory" for a failed allocation or a length
// beyond what a container can hold, the program's file messages for a file
// system error, and the text of anything else.
std::string MessageOf(const std::exception& error);

}  // namespace orbisk
