#include "app/model/Tcvn3Text.h"

#include <cstdio>

#include "framework/core/SysUtils.h"
#include "framework/core/Tcvn3.h"

namespace kx {

std::string Tcvn3Text(std::string_view utf8) {
  std::string out;
  TTcvn3Error error;
  if (!Utf8ToTcvn3(utf8, out, &error)) {
    char code[16];
    std::snprintf(code, sizeof code, "U+%04X", static_cast<unsigned>(error.CodePoint));
    throw EConvertError("No TCVN3 character for " + std::string(code) + " in \"" + std::string(utf8) + "\"");
  }
  return out;
}

}  // namespace kx
