// The runtime's exception family and small text helpers shared by the framework.
#pragma once

#include <exception>
#include <string>
#include <string_view>

namespace kx {

// Base of every exception the programs raise on purpose; carries a ready message.
class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const noexcept { return message_; }
  void SetMessage(std::string message) { message_ = std::move(message); }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

#define KX_EXCEPTION(Name, Base) \
  class Name : public Base {     \
   public:                       \
    using Base::Base;            \
  };

KX_EXCEPTION(EAbort, Exception)
KX_EXCEPTION(EConvertError, Exception)
KX_EXCEPTION(EInvalidCast, Exception)
KX_EXCEPTION(EInvalidOperation, Exception)
KX_EXCEPTION(EListError, Exception)
KX_EXCEPTION(EStringListError, Exception)
KX_EXCEPTION(EComponentError, Exception)
KX_EXCEPTION(EPropertyError, Exception)
KX_EXCEPTION(EStreamError, Exception)
KX_EXCEPTION(EFCreateError, EStreamError)
KX_EXCEPTION(EFOpenError, EStreamError)
KX_EXCEPTION(EFilerError, EStreamError)
KX_EXCEPTION(EReadError, EFilerError)
KX_EXCEPTION(EWriteError, EFilerError)
KX_EXCEPTION(EClassNotFound, EFilerError)
KX_EXCEPTION(EResNotFound, Exception)
KX_EXCEPTION(EOutOfResources, Exception)
KX_EXCEPTION(EParserError, Exception)
KX_EXCEPTION(EAssertionFailed, Exception)
KX_EXCEPTION(EOutOfMemory, Exception)

#undef KX_EXCEPTION

// An operating-system call failed; carries the system's error code.
class EOSError : public Exception {
 public:
  EOSError(std::string message, unsigned long errorCode) : Exception(std::move(message)), errorCode_(errorCode) {}
  unsigned long ErrorCode() const noexcept { return errorCode_; }

 private:
  unsigned long errorCode_;
};

// The system's text for an error code, without its line end; empty when the
// system has none.
std::string SysErrorMessage(unsigned long errorCode);
// EOSError "System Error.  Code: n.\r\n<system text>" for GetLastError().
[[noreturn]] void RaiseLastOSError();
[[noreturn]] void RaiseOSError(unsigned long errorCode);
// EOutOfMemory "Out of memory".
[[noreturn]] void OutOfMemoryError();

// Decimal or $hexadecimal integers with an optional sign; EConvertError
// "'x' is not a valid integer value" otherwise.
int StrToInt(std::string_view s);
bool TryStrToInt(std::string_view s, int& value) noexcept;
int StrToIntDef(std::string_view s, int fallback) noexcept;

// ASCII-only case folding: component, class and property names are identifiers.
bool SameText(std::string_view a, std::string_view b) noexcept;
std::string UpperCase(std::string_view s);
std::string LowerCase(std::string_view s);
bool IsValidIdent(std::string_view s) noexcept;

// Internal consistency check that failed: EAssertionFailed "message (unit, line n)".
[[noreturn]] void AssertFailed(const std::string& message, const char* unit, int line);
inline void Assert(bool condition, const char* message, const char* unit, int line) {
  if (!condition) AssertFailed(message, unit, line);
}

}  // namespace kx
