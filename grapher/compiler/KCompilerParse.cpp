// Parser: formula text -> coded operand string, folding constants as it goes.
//
// Each level (sum, product, factor) returns a coded string that the level above
// may rewrite (drop brackets, flip signs, swap "*" and "/") before appending it.
#include "compiler/KCompilerBase.h"
#include "compiler/KCompilerFpu.h"

#include <cmath>
#include <cstdlib>
#include <cstring>

namespace kx {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }
bool IsWordChar(char c) { return IsDigit(c) || IsLetter(c) || c == '_'; }
bool IsSign(char c) { return c == '+' || c == '-'; }

const std::string Placeholder(1, ckConst);

std::string IdBytes(uint32_t id) {
  std::string bytes(4, '\0');
  std::memcpy(bytes.data(), &id, 4);
  return bytes;
}

// Bytes of the coded item at i: ids and integer constants are stepped over whole,
// so their bytes are never read as operators or brackets.
size_t ItemLength(const std::string& coded, size_t i) {
  switch (coded[i]) {
    case ckArgTree:
    case ckVar:
    case ckArgNode:
    case ckCall:
      return 5;
    case ckConst:
      return i + 1 < coded.size() && static_cast<uint8_t>(coded[i + 1]) < 7 ? 10 : 1;
    default:
      return 1;
  }
}

// Calls visit(index, depth) for every byte in operator or operand position.
template <typename Visit>
void ScanCoded(const std::string& coded, Visit visit) {
  int depth = 0;
  for (size_t i = 0; i < coded.size(); i += ItemLength(coded, i)) {
    if (coded[i] == ')') --depth;
    visit(i, depth);
    if (coded[i] == '(') ++depth;
  }
}

bool IsLonePlaceholder(const std::string& coded) { return coded == Placeholder; }

size_t CountPlaceholders(const std::string& coded) {
  size_t count = 0;
  ScanCoded(coded, [&](size_t i, int) { count += coded[i] == ckConst && ItemLength(coded, i) == 1; });
  return count;
}

bool IsPureProduct(const std::string& coded) {
  bool pure = true;
  ScanCoded(coded, [&](size_t i, int depth) { pure = pure && !(depth == 0 && IsSign(coded[i])); });
  return pure;
}

// True when the string is one bracket whose "(" closes at the last character.
bool IsOneBracketGroup(const std::string& coded) {
  if (coded.size() < 2 || coded[0] != '(') return false;
  size_t closing = 0;
  ScanCoded(coded, [&](size_t i, int depth) {
    if (closing == 0 && coded[i] == ')' && depth == 0) closing = i;
  });
  return closing == coded.size() - 1;
}

// Exchanges a and b wherever they stand at bracket depth 0.
std::string ExchangeAtTop(std::string coded, char a, char b) {
  ScanCoded(coded, [&](size_t i, int depth) {
    if (depth == 0 && coded[i] == a)
      coded[i] = b;
    else if (depth == 0 && coded[i] == b)
      coded[i] = a;
  });
  return coded;
}

// Index of the ")" that closes the "(" at open, or the text's length when none does.
size_t MatchingBracket(const std::string& text, size_t open) {
  int depth = 0;
  for (size_t i = open; i < text.size(); ++i) {
    if (text[i] == '(')
      ++depth;
    else if (text[i] == ')' && --depth == 0)
      return i;
  }
  return text.size();
}

// The text between the bracket at open and its match; pos moves past the match.
std::string BracketContent(const std::string& text, size_t open, size_t& pos) {
  const size_t close = MatchingBracket(text, open);
  pos = close < text.size() ? close + 1 : close;
  return text.substr(open + 1, close - open - 1);
}

std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> pieces(1);
  int depth = 0;
  for (char c : text) {
    if (c == '(')
      ++depth;
    else if (c == ')')
      --depth;
    if (c == ',' && depth == 0)
      pieces.emplace_back();
    else
      pieces.back() += c;
  }
  return pieces;
}

// Trims blanks and control characters and drops the inner ones, except a single
// blank between two word characters: that one stays and fails later as an
// unexpected character ("sin x", "2 3").
std::string CleanText(const std::string& text) {
  const auto isBlank = [](char c) { return static_cast<uint8_t>(c) < 33; };
  size_t first = 0, last = text.size();
  while (first < last && isBlank(text[first])) ++first;
  while (last > first && isBlank(text[last - 1])) --last;
  std::string clean = text.substr(first, last - first);
  for (size_t i = 0; i < clean.size();) {
    if (isBlank(clean[i]) && !(i > 0 && i + 1 < clean.size() && IsWordChar(clean[i - 1]) && IsWordChar(clean[i + 1])))
      clean.erase(i, 1);
    else
      ++i;
  }
  return clean;
}

// Number text ("digits and '.'", then optionally "E" and digits) -> 80-bit value,
// independent of the locale: the digits and the decimal exponent are handed to
// the runtime's correctly rounded conversion without a decimal point.
bool TextToFloat(const std::string& text, long double& value) {
  std::string digits;
  long exponent = 0;
  bool point = false;
  size_t i = 0;
  for (; i < text.size() && text[i] != 'E' && text[i] != 'e'; ++i) {
    if (text[i] == '.') {
      if (point) return false;
      point = true;
    } else {
      if (point) --exponent;
      digits += text[i];
    }
  }
  if (i < text.size()) {
    const std::string expText = text.substr(i + 1);
    if (expText.empty()) return false;
    long e = 0;
    for (char c : expText) {
      if (!IsDigit(c)) return false;
      e = std::min(e * 10 + (c - '0'), 1000000L);  // far beyond the 80-bit range either way
    }
    exponent += e;
  }
  const size_t nonZero = digits.find_first_not_of('0');
  if (nonZero == std::string::npos) {
    value = 0;
    return true;
  }
  const std::string number = digits.substr(nonZero) + "e" + std::to_string(exponent);
  TMaskedFpu masked;
  char* end = nullptr;
  value = std::strtold(number.c_str(), &end);
  return end == number.c_str() + number.size() && !std::isinf(value);
}

// Range of the ordinal type codes 0..6 as magnitudes of a negative and a positive value.
bool FitsOrdinal(uint8_t type, bool negative, uint64_t magnitude) {
  static const uint64_t MaxNegative[] = {128, 0, 32768, 0, 2147483648u, 0, 9223372036854775808u};
  static const uint64_t MaxPositive[] = {127, 255, 32767, 65535, 2147483647u, 4294967295u, 9223372036854775807u};
  return magnitude <= (negative ? MaxNegative[type] : MaxPositive[type]);
}

std::string IntegerConst(uint8_t type, bool negative, uint64_t magnitude) {
  const int64_t value = negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
  std::string coded = {ckConst, static_cast<char>(type)};
  coded.resize(10);
  std::memcpy(&coded[2], &value, 8);
  return coded;
}

}  // namespace

KX_PUBLISH(TSimpler) {}

std::string TSimpler::Fail(TError error) {
  compError_ = error;
  return {};
}

void TSimpler::Fold(long double& acc, long double value, TFoldOp op) {
  if (KFoldMasked(&acc, &value, op) != 0) {
    compError_ = eDomain;
    foldFailed_ = true;
  }
}

std::string TSimpler::Parse(const std::string& text) {
  compError_ = eNone;
  foldFailed_ = false;
  constStack_.clear();
  constSizes_.clear();
  const std::string coded = ParseSum(CleanText(text));
  if (foldFailed_) {
    // The formula still compiles, to the meaningless constant 0, as a constant
    // call that raised does; CompError tells the caller.
    constStack_.clear();
    constSizes_.clear();
    PushConst(0);
    return Placeholder;
  }
  return coded;
}

std::string TSimpler::ParseSum(const std::string& source) {
  if (source.empty()) return Fail(eValExpected);
  const std::string text = IsSign(source[0]) ? source : "+" + source;
  const size_t stackBytes = constStack_.size(), stackCount = ConstCount();
  const bool eliminate = EliminateBrackets() != ebStandart;
  long double sum = 0;
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    int minus = 0;
    for (; pos < text.size() && IsSign(text[pos]); ++pos) minus += text[pos] == '-';
    size_t end = pos;
    int depth = 0;
    for (; end < text.size() && !(IsSign(text[end]) && depth <= 0); ++end) {
      if (text[end] == '(')
        ++depth;
      else if (text[end] == ')')
        --depth;
    }
    if (depth > 0) return Fail(eEdge);
    std::string term = ParseProduct(text.substr(pos, end - pos));
    if (Failed()) return {};
    pos = end;

    long double value = 0;
    if (IsLonePlaceholder(term)) {
      value = PopConst();
    } else {
      if (term[0] == '-') {
        term.erase(0, 1);
        ++minus;
      }
      if (eliminate && IsOneBracketGroup(term)) {
        std::string inner = term.substr(1, term.size() - 2);
        if (inner.size() > 1 && inner[0] == ckConst && IsSign(inner[1])) {
          value = TakeConst(ConstCount() - CountPlaceholders(inner));
          inner.erase(0, 1);
        }
        if (!IsSign(inner[0])) inner.insert(0, "+");
        out += minus % 2 ? ExchangeAtTop(inner, '+', '-') : inner;
      } else {
        out += minus % 2 ? '-' : '+';
        out += term;
      }
    }

    if (sum == 0)
      sum = minus % 2 ? -value : value;
    else if (value != 0)
      Fold(sum, value, minus % 2 ? foSub : foAdd);
    if (Failed()) return {};
  }
  if (sum == 0 && !out.empty()) return out[0] == '+' ? out.substr(1) : out;
  InsertConst(stackBytes, stackCount, sum);
  return Placeholder + out;
}

std::string TSimpler::ParseProduct(const std::string& term) {
  const std::string text = "*" + term;
  const size_t stackBytes = constStack_.size(), stackCount = ConstCount();
  const bool eliminate = EliminateBrackets() != ebStandart;
  long double product = 1;
  std::string out;
  size_t pos = 0;
  while (pos < text.size()) {
    const char op = text[pos++];
    if (op != '*' && op != '/') return Fail(eOpExpected);
    const bool bracketed = pos < text.size() && text[pos] == '(';
    const std::string factor = ParseFactor(text, pos);
    if (Failed()) return {};

    long double value = 1;
    if (IsLonePlaceholder(factor)) {
      value = PopConst();
    } else if (!bracketed) {
      out += op;
      out += factor;
    } else {
      const bool negated = factor[0] == '-';
      const std::string body = negated ? factor.substr(1) : factor;
      if ((eliminate && IsPureProduct(factor)) || (negated && IsPureProduct(body))) {
        if (negated) value = -1;
        std::string rest = body;
        if (body[0] == ckConst) {
          value *= TakeConst(ConstCount() - CountPlaceholders(body));
          rest.erase(0, 1);  // what follows begins with its own operator
        } else {
          rest.insert(rest.begin(), '*');
        }
        out += op == '/' ? ExchangeAtTop(rest, '*', '/') : rest;
      } else {
        out += op;
        out += '(' + factor + ')';
      }
    }

    if (op == '/') {
      if (value != 1) Fold(product, value, foDiv);
    } else if (product == 1) {
      product = value;
    } else if (product == -1) {
      product = -value;
    } else if (value != 1) {
      Fold(product, value, foMul);
    }
    if (Failed()) return {};
  }
  if (product == 1 && !out.empty() && out[0] == '*') return out.substr(1);
  if (product == -1 && !out.empty() && out[0] == '*') {
    out[0] = '-';
    return out;
  }
  InsertConst(stackBytes, stackCount, product);
  return Placeholder + out;
}

std::string TSimpler::ParseFactor(const std::string& text, size_t& pos) {
  if (pos >= text.size()) return Fail(eValExpected);
  const char c = text[pos];
  if (c == '(') return ParseSum(BracketContent(text, pos, pos));

  if (IsDigit(c)) {
    size_t end = pos;
    while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) ++end;
    if (end < text.size() && (text[end] == 'E' || text[end] == 'e')) {
      ++end;
      while (end < text.size() && (IsDigit(text[end]) || text[end] == '.')) ++end;
    }
    long double value;
    if (!TextToFloat(text.substr(pos, end - pos), value)) return Fail(eNumFormat);
    pos = end;
    PushConst(value);
    return Placeholder;
  }

  if (IsLetter(c) || c == '_') {
    size_t end = pos;
    while (end < text.size() && IsWordChar(text[end])) ++end;
    const std::string name = text.substr(pos, end - pos);
    pos = end;
    const bool bracketed = pos < text.size() && text[pos] == '(';
    const uint32_t funcId = FindFunction(name);
    if (bracketed || funcId != 0) {
      if (funcId == 0) return Fail(FindVariable(name) != 0 ? eOpExpected : eUnknown);
      const std::string args = bracketed ? BracketContent(text, pos, pos) : std::string();
      bool folded;
      long double value;
      const std::string call = ParseCall(funcId, args, bracketed, folded, value);
      if (!folded) return call;
      PushConst(value);
      return Placeholder;
    }
    const uint32_t varId = FindVariable(name);
    if (varId == 0) return Fail(eUnknown);
    return ckVar + IdBytes(varId);
  }
  return Fail(eValExpected);
}

std::string TSimpler::ParseCall(uint32_t funcId, const std::string& argText, bool bracketed, bool& folded,
                                long double& value) {
  folded = false;
  TFunction f;
  GetFunction(funcId, f);
  bool allConst;
  const std::string args = ParseArgs(argText, funcId, allConst);
  if (Failed()) return {};
  if (allConst && f.Foldable) {
    value = EvaluateCall(f, args);
    folded = true;
    return {};
  }
  std::string call = ckCall + IdBytes(funcId);
  if (bracketed && !args.empty()) call += '(' + args + ')';
  return call;
}

std::string TSimpler::ParseArgs(const std::string& text, uint32_t funcId, bool& allConst) {
  allConst = true;
  TFunction f;
  GetFunction(funcId, f);
  if (f.Params.empty()) return text.empty() ? std::string() : Fail(eParameter);
  const std::vector<std::string> pieces = SplitArguments(text);
  std::string coded;
  for (size_t i = 0; i < pieces.size() && i < f.Params.size(); ++i) {
    bool isConst;
    const std::string arg = ParseTypedArg(pieces[i], f.Params[i], isConst);
    if (Failed()) return {};
    if (i > 0) coded += ',';
    coded += arg;
    allConst = allConst && isConst;
  }
  if (pieces.size() != f.Params.size()) return Fail(eParameter);
  return coded;
}

std::string TSimpler::ParseTypedArg(const std::string& text, const TVarDefItem& param, bool& isConst) {
  isConst = false;
  if (text.empty()) return Fail(eValExpected);
  if (param.ByRef) {
    TVariable v;
    if (!GetVariable(FindVariable(text), v) || v.VarType != param.TypeCode) return Fail(eVarParameter);
    return text;
  }
  if (IsFloatType(param.TypeCode)) {
    std::string coded = ParseSum(text);
    isConst = IsLonePlaceholder(coded);
    return coded;
  }
  return ParseOrdinalArg(text, param, isConst);
}

std::string TSimpler::ParseOrdinalArg(const std::string& text, const TVarDefItem& param, bool& isConst) {
  size_t pos = 0;
  int minus = 0;
  for (; pos < text.size() && IsSign(text[pos]); ++pos) minus += text[pos] == '-';
  if (pos == text.size()) return Fail(eValExpected);
  const bool negative = minus % 2 != 0;
  const std::string sign = negative ? "-" : "";

  if (IsDigit(text[pos])) {
    uint64_t magnitude = 0;
    bool overflow = false;
    for (; pos < text.size(); ++pos) {
      if (!IsDigit(text[pos])) return Fail(eType);
      const unsigned digit = text[pos] - '0';
      overflow = overflow || magnitude > (UINT64_MAX - digit) / 10;
      magnitude = magnitude * 10 + digit;
    }
    if (overflow || !FitsOrdinal(param.TypeCode, negative, magnitude)) return Fail(eOutOfRange);
    isConst = true;
    return IntegerConst(param.TypeCode, negative, magnitude);
  }

  if (!(IsLetter(text[pos]) || text[pos] == '_')) return Fail(eUnknown);
  size_t end = pos;
  while (end < text.size() && IsWordChar(text[end])) ++end;
  const std::string name = text.substr(pos, end - pos);

  TVariable v;
  if (GetVariable(FindVariable(name), v)) {
    if (end != text.size() || IsFloatType(v.VarType)) return Fail(eType);
    return sign + ckVar + IdBytes(FindVariable(name));
  }

  const uint32_t funcId = FindFunction(name);
  TFunction f;
  if (!GetFunction(funcId, f)) return Fail(eUnknown);
  if (IsFloatType(f.ResultType)) return Fail(eType);
  const bool bracketed = end < text.size() && text[end] == '(';
  const std::string args = bracketed ? BracketContent(text, end, end) : std::string();
  if (end != text.size()) return Fail(eType);
  bool folded;
  long double value;
  const std::string call = ParseCall(funcId, args, bracketed, folded, value);
  if (Failed()) return {};
  if (!folded) return sign + call;

  // An ordinal result is an integer already; it must fit the parameter's type.
  const auto result = static_cast<int64_t>(value);
  const uint64_t magnitude = result < 0 ? 0 - static_cast<uint64_t>(result) : static_cast<uint64_t>(result);
  const bool resultNegative = (result < 0) != negative && magnitude != 0;
  if (!FitsOrdinal(param.TypeCode, resultNegative, magnitude)) return Fail(eOutOfRange);
  isConst = true;
  return IntegerConst(param.TypeCode, resultNegative, magnitude);
}

}  // namespace kx
