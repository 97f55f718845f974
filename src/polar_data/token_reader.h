#pragma once
// Numeric tokens of the two data file formats. Any byte 0..32 separates
// tokens, byte 26 ends the file, a token that is missing at the end reads
// as 0. A malformed token is remembered and reported by Check(), like the
// input state of a text file: reads after it return 0 and consume nothing.

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace orbisk {

class TokenReader {
 public:
  // Reads from bytes, which must outlive the reader.
  explicit TokenReader(std::string_view bytes);

  // "+"/"-" and decimal digits, or "$" and hexadecimal digits; at most 32
  // characters form one token.
  std::int32_t ReadInteger();
  // Sign, digits, optional "." and fraction, optional exponent; "." only;
  // at most 64 characters form one token.
  long double ReadReal();
  // Raises InputError "Invalid numeric input" when a malformed token was read.
  void Check() const;

  bool Failed() const { return failed_; }
  // Bytes not read yet, up to the end mark; bounds what the rest can hold.
  std::size_t Remaining() const { return end_ - pos_; }

 private:
  std::string_view NextToken(std::size_t limit);

  std::string_view bytes_;
  std::size_t pos_ = 0;
  std::size_t end_ = 0;  // first byte 26, or the size
  bool failed_ = false;
};

}  // namespace orbisk
