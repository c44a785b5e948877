#include "framework/core/FormText.h"

#include "framework/core/Streams.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace kx {
namespace {

enum class Tok { End, Ident, String, Integer, Float, Binary, Symbol };

bool IsIdentStart(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '_'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }
int HexValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

class Lexer {
 public:
  Lexer(std::string_view text, const std::string& source) : text_(text), source_(source) { Next(); }

  Tok kind_ = Tok::End;
  std::string value_;  // identifier, string bytes, binary bytes, symbol
  int64_t integer_ = 0;
  long double real_ = 0;
  int line_ = 1;  // line of the current token

  [[noreturn]] void Error(const std::string& message) const {
    throw EParserError(source_ + ", line " + std::to_string(line_) + ": " + message);
  }

  std::string Describe() const {
    switch (kind_) {
      case Tok::End:
        return "end of text";
      case Tok::String:
        return "a string";
      case Tok::Integer:
      case Tok::Float:
        return "a number";
      case Tok::Binary:
        return "binary data";
      default:
        return "'" + value_ + "'";
    }
  }

  bool IsSymbol(char c) const { return kind_ == Tok::Symbol && value_.size() == 1 && value_[0] == c; }
  bool IsKeyword(std::string_view word) const { return kind_ == Tok::Ident && SameText(value_, word); }

  void ExpectSymbol(char c) {
    if (!IsSymbol(c)) Error(std::string("'") + c + "' expected but " + Describe() + " found");
    Next();
  }

  std::string ExpectIdent(const char* what) {
    if (kind_ != Tok::Ident) Error(std::string(what) + " expected but " + Describe() + " found");
    std::string s = value_;
    Next();
    return s;
  }

  void Next() {
    SkipBlanks();
    line_ = curLine_;
    value_.clear();
    if (pos_ >= text_.size()) {
      kind_ = Tok::End;
      return;
    }
    const char c = text_[pos_];
    if (IsIdentStart(c)) return ReadIdent();
    if (c == '\'' || c == '#') return ReadString();
    if (IsDigit(c) || c == '$' ||
        ((c == '-' || c == '+') && pos_ + 1 < text_.size() && (IsDigit(text_[pos_ + 1]) || text_[pos_ + 1] == '$')))
      return ReadNumber();
    if (c == '{') return ReadBinary();
    kind_ = Tok::Symbol;
    value_ = std::string(1, c);
    ++pos_;
  }

 private:
  void SkipBlanks() {
    while (pos_ < text_.size()) {
      const char c = text_[pos_];
      if (c == '\n') ++curLine_;
      if (c != ' ' && c != '\t' && c != '\r' && c != '\n') break;
      ++pos_;
    }
  }

  void ReadIdent() {
    kind_ = Tok::Ident;
    size_t start = pos_;
    for (;;) {
      while (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]))) ++pos_;
      // Dotted names: Font.Style, Material.FrontProperties.Emission.
      if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsIdentStart(text_[pos_ + 1])) {
        ++pos_;
        continue;
      }
      break;
    }
    value_ = std::string(text_.substr(start, pos_ - start));
  }

  void ReadString() {
    kind_ = Tok::String;
    while (pos_ < text_.size()) {
      if (text_[pos_] == '\'') {
        ++pos_;
        for (;;) {
          if (pos_ >= text_.size() || text_[pos_] == '\n' || text_[pos_] == '\r') Error("Unterminated string");
          if (text_[pos_] == '\'') {
            if (pos_ + 1 < text_.size() && text_[pos_ + 1] == '\'') {
              value_ += '\'';
              pos_ += 2;
              continue;
            }
            ++pos_;
            break;
          }
          value_ += text_[pos_++];
        }
      } else if (text_[pos_] == '#') {
        ++pos_;
        int code = 0, digits = 0;
        while (pos_ < text_.size() && IsDigit(text_[pos_]) && digits < 4) {
          code = code * 10 + (text_[pos_++] - '0');
          ++digits;
        }
        if (digits == 0 || code > 255) Error("Invalid character code in a string");
        value_ += char(code);
      } else {
        break;
      }
    }
  }

  void ReadNumber() {
    const size_t start = pos_;
    bool negative = false;
    if (text_[pos_] == '-' || text_[pos_] == '+') negative = text_[pos_++] == '-';
    if (text_[pos_] == '$') {
      ++pos_;
      uint64_t v = 0;
      int digits = 0;
      while (pos_ < text_.size() && HexValue(text_[pos_]) >= 0) {
        v = (v << 4) | uint64_t(HexValue(text_[pos_++]));
        if (++digits > 16) Error("Hexadecimal number too long");
      }
      if (digits == 0) Error("Invalid hexadecimal number");
      // Up to eight digits are a 32-bit pattern, as colours are written.
      int64_t s = digits <= 8 ? int64_t(int32_t(uint32_t(v))) : int64_t(v);
      kind_ = Tok::Integer;
      integer_ = negative ? -s : s;
      CheckNumberEnd();
      return;
    }
    while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    bool isFloat = false;
    if (pos_ + 1 < text_.size() && text_[pos_] == '.' && IsDigit(text_[pos_ + 1])) {
      isFloat = true;
      ++pos_;
      while (pos_ < text_.size() && IsDigit(text_[pos_])) ++pos_;
    }
    if (pos_ < text_.size() && (text_[pos_] == 'e' || text_[pos_] == 'E')) {
      size_t p = pos_ + 1;
      if (p < text_.size() && (text_[p] == '+' || text_[p] == '-')) ++p;
      if (p >= text_.size() || !IsDigit(text_[p])) Error("Invalid number");
      while (p < text_.size() && IsDigit(text_[p])) ++p;
      pos_ = p;
      isFloat = true;
    }
    CheckNumberEnd();
    // The characters are checked above; strtold only sees a plain C-locale number.
    const std::string digits(text_.substr(start, pos_ - start));
    if (isFloat) {
      kind_ = Tok::Float;
      real_ = std::strtold(digits.c_str(), nullptr);
      if (!std::isfinite(real_)) Error("Number out of range: " + digits);
      return;
    }
    kind_ = Tok::Integer;
    uint64_t v = 0;
    for (char ch : digits) {
      if (!IsDigit(ch)) continue;
      if (v > (UINT64_MAX - 9) / 10) Error("Integer out of range: " + digits);
      v = v * 10 + uint64_t(ch - '0');
    }
    if (v > uint64_t(INT64_MAX) + (negative ? 1 : 0)) Error("Integer out of range: " + digits);
    integer_ = negative ? int64_t(0 - v) : int64_t(v);
  }

  void CheckNumberEnd() {
    if (pos_ < text_.size() && (IsIdentStart(text_[pos_]) || IsDigit(text_[pos_]))) Error("Invalid number");
  }

  void ReadBinary() {
    kind_ = Tok::Binary;
    ++pos_;
    int high = -1;
    for (;;) {
      if (pos_ >= text_.size()) Error("Unterminated binary value");
      const char c = text_[pos_++];
      if (c == '}') break;
      if (c == '\n') ++curLine_;
      if (c == ' ' || c == '\t' || c == '\r' || c == '\n') continue;
      const int h = HexValue(c);
      if (h < 0) Error("Invalid binary value");
      if (high < 0) {
        high = h;
      } else {
        value_ += char((high << 4) | h);
        high = -1;
      }
    }
    if (high >= 0) Error("Odd number of hexadecimal digits in a binary value");
  }

  std::string_view text_;
  const std::string& source_;
  size_t pos_ = 0;
  int curLine_ = 1;
};

// Counts one level of nesting for as long as it lives.
class Nesting {
 public:
  Nesting(int& depth, const Lexer& lex) : depth_(depth) {
    if (++depth_ > kMaxNesting) {
      --depth_;
      lex.Error("Nesting too deep");
    }
  }
  ~Nesting() { --depth_; }
  Nesting(const Nesting&) = delete;
  Nesting& operator=(const Nesting&) = delete;

 private:
  int& depth_;
};

class TextToBinary {
 public:
  TextToBinary(Lexer& lex, TWriter& writer, TLineMap* lines) : lex_(lex), w_(writer), lines_(lines) {}

  void Object() {
    if (!lex_.IsKeyword("object")) lex_.Error("'object' expected but " + lex_.Describe() + " found");
    Nesting nesting(depth_, lex_);
    Mark();
    lex_.Next();
    std::string first = lex_.ExpectIdent("Name");
    std::string name, cls = first;
    if (lex_.IsSymbol(':')) {
      lex_.Next();
      name = first;
      cls = lex_.ExpectIdent("Class name");
    }
    if (!IsValidIdent(cls)) lex_.Error("Invalid class name " + cls);
    if (!name.empty() && !IsValidIdent(name)) lex_.Error("Invalid component name " + name);
    w_.WriteStr(cls);
    w_.WriteStr(name);
    while (!lex_.IsKeyword("object") && !lex_.IsKeyword("end")) Property();
    w_.WriteListEnd();
    while (lex_.IsKeyword("object")) Object();
    // A property after the children would otherwise be taken for the 'end'.
    if (!lex_.IsKeyword("end")) lex_.Error("'end' expected but " + lex_.Describe() + " found");
    w_.WriteListEnd();
    lex_.Next();
  }

 private:
  void Mark() {
    if (lines_) lines_->Entries.emplace_back(w_.Position(), lex_.line_);
  }

  void Property() {
    if (lex_.kind_ != Tok::Ident) lex_.Error("Property name expected but " + lex_.Describe() + " found");
    Mark();
    if (lex_.value_.size() > 255) lex_.Error("Property name too long");
    w_.WriteStr(lex_.value_);
    lex_.Next();
    lex_.ExpectSymbol('=');
    Value();
  }

  void Value() {
    switch (lex_.kind_) {
      case Tok::Integer:
        w_.WriteInteger(lex_.integer_);
        lex_.Next();
        return;
      case Tok::Float:
        w_.WriteFloat(lex_.real_);
        lex_.Next();
        return;
      case Tok::String: {
        std::string s = lex_.value_;
        lex_.Next();
        while (lex_.IsSymbol('+')) {
          lex_.Next();
          if (lex_.kind_ != Tok::String) lex_.Error("String expected but " + lex_.Describe() + " found");
          s += lex_.value_;
          lex_.Next();
        }
        w_.WriteString(s);
        return;
      }
      case Tok::Binary:
        if (lex_.value_.size() > size_t(INT32_MAX)) lex_.Error("Binary value too long");
        w_.WriteBinary(lex_.value_.data(), int32_t(lex_.value_.size()));
        lex_.Next();
        return;
      case Tok::Ident:
        if (lex_.IsKeyword("file"))
          lex_.Error("File references are embedded by the build; this form was not converted");
        if (lex_.value_.size() > 255) lex_.Error("Identifier too long");
        w_.WriteIdent(lex_.value_);
        lex_.Next();
        return;
      case Tok::Symbol:
        if (lex_.IsSymbol('[')) return Set();
        if (lex_.IsSymbol('(')) return List();
        if (lex_.IsSymbol('<')) return Collection();
        [[fallthrough]];
      case Tok::End:
        lex_.Error("Value expected but " + lex_.Describe() + " found");
    }
  }

  void Set() {
    lex_.Next();
    w_.WriteValue(vaSet);
    if (!lex_.IsSymbol(']')) {
      for (;;) {
        const std::string id = lex_.ExpectIdent("Identifier");
        if (id.find('.') != std::string::npos || id.size() > 255) lex_.Error("Invalid set element " + id);
        w_.WriteStr(id);
        if (lex_.IsSymbol(']')) break;
        lex_.ExpectSymbol(',');
      }
    }
    lex_.Next();
    w_.WriteStr("");
  }

  void List() {
    Nesting nesting(depth_, lex_);
    lex_.Next();
    w_.WriteListBegin();
    while (!lex_.IsSymbol(')')) {
      if (lex_.kind_ == Tok::End) lex_.Error("')' expected but end of text found");
      Value();
    }
    lex_.Next();
    w_.WriteListEnd();
  }

  void Collection() {
    Nesting nesting(depth_, lex_);
    lex_.Next();
    w_.WriteValue(vaCollection);
    while (!lex_.IsSymbol('>')) {
      if (!lex_.IsKeyword("item")) lex_.Error("'item' expected but " + lex_.Describe() + " found");
      Mark();
      lex_.Next();
      if (lex_.IsSymbol('[')) {
        lex_.Next();
        if (lex_.kind_ != Tok::Integer) lex_.Error("Item index expected");
        w_.WriteInteger(lex_.integer_);
        lex_.Next();
        lex_.ExpectSymbol(']');
      }
      w_.WriteListBegin();
      while (!lex_.IsKeyword("end")) Property();
      lex_.Next();
      w_.WriteListEnd();
    }
    lex_.Next();
    w_.WriteListEnd();
  }

  Lexer& lex_;
  TWriter& w_;
  TLineMap* lines_;
  int depth_ = 0;
};

// ---------------------------------------------------------------------------
// Binary to text

class BinaryToText {
 public:
  explicit BinaryToText(TReader& reader) : r_(reader) {}
  std::string TakeText() { return std::move(out_); }

  void Object(int indent) {
    CheckDepth(indent);
    const std::string cls = r_.ReadStr();
    const std::string name = r_.ReadStr();
    Indent(indent);
    out_ += "object ";
    out_ += name.empty() ? cls : name + ": " + cls;
    out_ += "\r\n";
    while (!r_.EndOfList()) Property(indent + 2);
    r_.ReadListEnd();
    while (!r_.EndOfList()) Object(indent + 2);
    r_.ReadListEnd();
    Indent(indent);
    out_ += "end\r\n";
  }

 private:
  void Indent(int n) { out_.append(size_t(n), ' '); }
  // Every level indents by at least two.
  void CheckDepth(int indent) {
    if (indent > 4 * kMaxNesting) r_.ReadError("Nesting too deep");
  }

  void Property(int indent) {
    Indent(indent);
    out_ += r_.ReadStr();
    out_ += " = ";
    Value(indent);
    out_ += "\r\n";
  }

  static std::string Quote(std::string_view s) {
    if (s.empty()) return "''";
    std::string q;
    bool open = false;
    for (char ch : s) {
      const unsigned char c = static_cast<unsigned char>(ch);
      if (c < 0x20 || c == 0x7F) {
        if (open) q += '\'';
        open = false;
        q += '#' + std::to_string(c);
      } else {
        if (!open) q += '\'';
        open = true;
        q += ch;
        if (ch == '\'') q += '\'';
      }
    }
    if (open) q += '\'';
    return q;
  }

  static std::string Float(long double v, int digits) {
    if (!std::isfinite(v)) throw EWriteError("A non-finite number has no text form");
    char text[64];
    std::snprintf(text, sizeof text, "%.*Lg", digits, v);
    std::string s = text;
    if (s.find_first_of(".eE") == std::string::npos) s += ".0";
    return s;
  }

  void Value(int indent) {
    CheckDepth(indent);
    const TValueType t = r_.NextValue();
    switch (t) {
      case vaInt8:
      case vaInt16:
      case vaInt32:
      case vaInt64:
        out_ += std::to_string(r_.ReadInt64());
        return;
      case vaSingle:
        out_ += Float(r_.ReadFloat(), 9);
        return;
      case vaDouble:
        out_ += Float(r_.ReadFloat(), 17);
        return;
      case vaExtended:
        out_ += Float(r_.ReadFloat(), 21);
        return;
      case vaString:
      case vaLString:
        out_ += Quote(r_.ReadString());
        return;
      case vaIdent:
      case vaFalse:
      case vaTrue:
      case vaNil:
      case vaNull:
        out_ += r_.ReadIdent();
        return;
      case vaSet: {
        r_.ReadValue();
        out_ += '[';
        bool first = true;
        for (std::string id = r_.ReadStr(); !id.empty(); id = r_.ReadStr()) {
          if (!first) out_ += ", ";
          out_ += id;
          first = false;
        }
        out_ += ']';
        return;
      }
      case vaList:
        r_.ReadValue();
        out_ += '(';
        while (!r_.EndOfList()) {
          out_ += "\r\n";
          Indent(indent + 2);
          Value(indent + 2);
        }
        r_.ReadListEnd();
        out_ += ')';
        return;
      case vaBinary: {
        r_.ReadValue();
        int32_t size;
        r_.Read(&size, 4);
        if (size < 0 || size > r_.Size() - r_.Position()) r_.ReadError("Invalid stream format");
        std::string data(size_t(size), '\0');
        if (size) r_.Read(data.data(), size);
        static const char hex[] = "0123456789ABCDEF";
        out_ += '{';
        for (size_t i = 0; i < data.size(); ++i) {
          if (i % 32 == 0) {
            out_ += "\r\n";
            Indent(indent + 2);
          }
          const unsigned char c = static_cast<unsigned char>(data[i]);
          out_ += hex[c >> 4];
          out_ += hex[c & 15];
        }
        out_ += '}';
        return;
      }
      case vaCollection:
        r_.ReadValue();
        out_ += '<';
        while (!r_.EndOfList()) {
          out_ += "\r\n";
          Indent(indent + 2);
          out_ += "item";
          if (r_.NextValue() != vaList) out_ += " [" + std::to_string(r_.ReadInteger()) + "]";
          r_.ReadListBegin();
          out_ += "\r\n";
          while (!r_.EndOfList()) Property(indent + 4);
          r_.ReadListEnd();
          Indent(indent + 2);
          out_ += "end";
        }
        r_.ReadListEnd();
        out_ += '>';
        return;
      default:
        r_.ReadError("Invalid stream format (value type " + std::to_string(int(t)) + ")");
    }
  }

  TReader& r_;
  std::string out_;
};

}  // namespace

void ObjectTextToBinary(std::string_view text, TStream& output, const std::string& sourceName, TLineMap* lines) {
  Lexer lex(text, sourceName);
  TWriter writer(output);
  writer.WriteSignature();
  TextToBinary(lex, writer, lines).Object();
  if (lex.kind_ != Tok::End) lex.Error("Text after the last 'end'");
  writer.FlushBuffer();
}

std::string ObjectBinaryToText(TStream& input) {
  TReader reader(input);
  reader.ReadSignature();
  BinaryToText converter(reader);
  converter.Object(0);
  return converter.TakeText();
}

}  // namespace kx
