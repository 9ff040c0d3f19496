#pragma once
// Run-time errors as the macro language numbers them. Every fault that the
// language would raise (division by zero, overflow, a bad index, a type
// mismatch, a missing file, a database failure) becomes a VbError, which the
// trapping procedure turns into one of the three error boxes.
#include <stdexcept>
#include <string>

namespace plx {

namespace err {
constexpr int kInvalidCall = 5;
constexpr int kOverflow = 6;
constexpr int kSubscript = 9;
constexpr int kDivisionByZero = 11;
constexpr int kTypeMismatch = 13;
constexpr int kFileNotFound = 53;
constexpr int kObjectNotSet = 91;
// Database engine failures keep the engine's own message under this number.
constexpr int kDatabase = -2147467259;
// An operation on a closed database connection or recordset.
constexpr int kObjectClosed = 3704;
}  // namespace err

class VbError : public std::runtime_error {
 public:
  VbError(int number, std::wstring description);
  int number() const { return number_; }
  const std::wstring& description() const { return description_; }

 private:
  int number_;
  std::wstring description_;
};

// The run-time library's own description of an error number.
std::wstring StandardDescription(int number);
[[noreturn]] void Raise(int number);
[[noreturn]] void Raise(int number, std::wstring description);

// Turns whatever a trap caught into the error it reports: a VbError stays
// as it is, any other exception becomes error 5 with its message.
VbError AsVbError(const std::exception& e);

}  // namespace plx
