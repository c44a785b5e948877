// Menu captions stored in the VNI digit-tone notation, converted to Unicode
// when a screen loads.
#pragma once

#include <string>
#include <string_view>

namespace mnuUnicode {

// One caption: a letter followed by its mark digits becomes the precomposed
// Vietnamese letter ("&Ta65p tin" -> "&Tập tin"); anything not in the code list
// stays as typed.
std::wstring VniToUnicode(std::wstring_view text);

}  // namespace mnuUnicode
