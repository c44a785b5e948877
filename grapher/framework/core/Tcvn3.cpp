#include "framework/core/Tcvn3.h"

namespace kx {
namespace {

struct Entry {
  unsigned char byte;
  char32_t cp;
};

const Entry kTable[] = {
    {0xA1, U'Ă'}, {0xA2, U'Â'}, {0xA3, U'Ê'}, {0xA4, U'Ô'}, {0xA5, U'Ơ'}, {0xA6, U'Ư'}, {0xA7, U'Đ'}, {0xA8, U'ă'},
    {0xA9, U'â'}, {0xAA, U'ê'}, {0xAB, U'ô'}, {0xAC, U'ơ'}, {0xAD, U'ư'}, {0xAE, U'đ'}, {0xB5, U'à'}, {0xB6, U'ả'},
    {0xB7, U'ã'}, {0xB8, U'á'}, {0xB9, U'ạ'}, {0xBB, U'ằ'}, {0xBC, U'ẳ'}, {0xBD, U'ẵ'}, {0xBE, U'ắ'}, {0xC6, U'ặ'},
    {0xC7, U'ầ'}, {0xC8, U'ẩ'}, {0xC9, U'ẫ'}, {0xCA, U'ấ'}, {0xCB, U'ậ'}, {0xCC, U'è'}, {0xCE, U'ẻ'}, {0xCF, U'ẽ'},
    {0xD0, U'é'}, {0xD1, U'ẹ'}, {0xD2, U'ề'}, {0xD3, U'ể'}, {0xD4, U'ễ'}, {0xD5, U'ế'}, {0xD6, U'ệ'}, {0xD7, U'ì'},
    {0xD8, U'ỉ'}, {0xDC, U'ĩ'}, {0xDD, U'í'}, {0xDE, U'ị'}, {0xDF, U'ò'}, {0xE1, U'ỏ'}, {0xE2, U'õ'}, {0xE3, U'ó'},
    {0xE4, U'ọ'}, {0xE5, U'ồ'}, {0xE6, U'ổ'}, {0xE7, U'ỗ'}, {0xE8, U'ố'}, {0xE9, U'ộ'}, {0xEA, U'ờ'}, {0xEB, U'ở'},
    {0xEC, U'ỡ'}, {0xED, U'ớ'}, {0xEE, U'ợ'}, {0xEF, U'ù'}, {0xF1, U'ủ'}, {0xF2, U'ũ'}, {0xF3, U'ú'}, {0xF4, U'ụ'},
    {0xF5, U'ừ'}, {0xF6, U'ử'}, {0xF7, U'ữ'}, {0xF8, U'ứ'}, {0xF9, U'ự'}, {0xFA, U'ỳ'}, {0xFB, U'ỷ'}, {0xFC, U'ỹ'},
    {0xFD, U'ý'}, {0xFE, U'ỵ'},
};
static_assert(sizeof(kTable) / sizeof(kTable[0]) == 74);

// Decodes one UTF-8 sequence at s[i]; returns its length, 0 when malformed.
size_t DecodeUtf8(std::string_view s, size_t i, char32_t& cp) {
  const unsigned char b0 = static_cast<unsigned char>(s[i]);
  size_t len;
  char32_t min;
  if (b0 < 0x80) {
    cp = b0;
    return 1;
  } else if ((b0 & 0xE0) == 0xC0) {
    len = 2, cp = b0 & 0x1F, min = 0x80;
  } else if ((b0 & 0xF0) == 0xE0) {
    len = 3, cp = b0 & 0x0F, min = 0x800;
  } else if ((b0 & 0xF8) == 0xF0) {
    len = 4, cp = b0 & 0x07, min = 0x10000;
  } else {
    return 0;
  }
  if (i + len > s.size()) return 0;
  for (size_t k = 1; k < len; ++k) {
    const unsigned char b = static_cast<unsigned char>(s[i + k]);
    if ((b & 0xC0) != 0x80) return 0;
    cp = (cp << 6) | (b & 0x3F);
  }
  if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
  return len;
}

void AppendUtf8(std::string& out, char32_t cp) {
  if (cp < 0x80) {
    out += char(cp);
  } else if (cp < 0x800) {
    out += char(0xC0 | (cp >> 6));
    out += char(0x80 | (cp & 0x3F));
  } else {
    out += char(0xE0 | (cp >> 12));
    out += char(0x80 | ((cp >> 6) & 0x3F));
    out += char(0x80 | (cp & 0x3F));
  }
}

}  // namespace

bool CodePointToTcvn3(char32_t cp, unsigned char& byte) {
  if (cp < 0x80) {
    byte = static_cast<unsigned char>(cp);
    return true;
  }
  for (const Entry& e : kTable)
    if (e.cp == cp) {
      byte = e.byte;
      return true;
    }
  return false;
}

char32_t Tcvn3ToCodePoint(unsigned char byte) {
  if (byte < 0x80) return byte;
  for (const Entry& e : kTable)
    if (e.byte == byte) return e.cp;
  return U'\uFFFD';
}

bool Utf8ToTcvn3(std::string_view utf8, std::string& out, TTcvn3Error* error) {
  out.clear();
  out.reserve(utf8.size());
  for (size_t i = 0; i < utf8.size();) {
    char32_t cp = 0;
    const size_t len = DecodeUtf8(utf8, i, cp);
    unsigned char byte;
    if (len == 0 || !CodePointToTcvn3(cp, byte)) {
      if (error) *error = TTcvn3Error{i, len == 0 ? char32_t(0) : cp};
      return false;
    }
    out += char(byte);
    i += len;
  }
  return true;
}

std::string Tcvn3ToUtf8(std::string_view tcvn3) {
  std::string out;
  out.reserve(tcvn3.size() * 2);
  for (char c : tcvn3) AppendUtf8(out, Tcvn3ToCodePoint(static_cast<unsigned char>(c)));
  return out;
}

}  // namespace kx
