#include "app/model/MainU_FuncFile.h"

#include <algorithm>
#include <charconv>
#include <cmath>
#include <limits>
#include <utility>

#include "app/model/DecimalText.h"
#include "framework/core/SysUtils.h"

namespace kx {

namespace {

constexpr std::string_view kEol = "\r\n";
// The key search looks at no more of a line than this.
constexpr size_t kMaxLine = 255;
// A real of a point or value line is at most this long.
constexpr size_t kMaxToken = 64;

const std::string kSectionLine = "[" + std::string(58, '=') + "]";
const std::string kRecordLine = "[" + std::string(58, '-') + "]";

// The nine reals of a formula record, in file order.
struct TRealField {
  const char* Key;
  double TFuncRec::*Field;
};
constexpr TRealField kRealFields[] = {
    {"First1=", &TFuncRec::First1}, {"Last1=", &TFuncRec::Last1}, {"Step1=", &TFuncRec::Step1},
    {"First2=", &TFuncRec::First2}, {"Last2=", &TFuncRec::Last2}, {"Step2=", &TFuncRec::Step2},
    {"RelX=", &TFuncRec::RelX},     {"RelY=", &TFuncRec::RelY},   {"Rotate=", &TFuncRec::Rotate}};
constexpr const char* kFormulaKeys[] = {"Func1=", "Func2=", "Func3="};

constexpr int32_t kInterpolation = 2, kLeastSquares = 3;

// Blanks and control characters.
bool IsBlank(char c) { return static_cast<unsigned char>(c) <= ' '; }

std::string_view Trimmed(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

void Line(std::string& out, std::string_view key, std::string_view value = {}) {
  out += key;
  out += value;
  out += kEol;
}

// Value n of an array, or not-a-number where the array is short: the file
// always holds as many values as its count line says.
long double ValueOrNaN(const std::vector<long double>& values, size_t n) {
  return n < values.size() ? values[n] : std::numeric_limits<long double>::quiet_NaN();
}

void WriteRecord(std::string& out, const TFuncRec& f) {
  Line(out, kRecordLine);
  Line(out, "FuncType=", std::to_string(f.FuncType));
  Line(out, "FuncName=", f.FuncName);
  Line(out, "LineWidth=", std::to_string(f.LineWidth));
  Line(out, "Color=", std::to_string(static_cast<int32_t>(f.Color)));
  if (f.FuncType != TNKind) {
    for (const TRealField& real : kRealFields) Line(out, real.Key, FuncFileReal(f.*real.Field));
    for (int j = 1; j <= 3; ++j) Line(out, kFormulaKeys[j - 1], f.Func[j]);
    return;
  }
  Line(out, "DrawType=", std::to_string(f.DrawType));
  Line(out, "BacPT=", std::to_string(f.BacPT));
  Line(out, "TNCount=", std::to_string(f.TNCount()));
  for (const TTNPoint& p : f.TNPoints) Line(out, FuncFileReal(p.X) + " " + FuncFileReal(p.Y));
  if (f.DrawType == kInterpolation) {
    const int64_t n = std::max<int64_t>(f.TNCount() - 1, 0);
    Line(out, "TyHieu=", std::to_string(n));
    for (int64_t k = 0; k < n; ++k) Line(out, FuncFileReal(ValueOrNaN(f.TyHieu, static_cast<size_t>(k))));
  } else if (f.DrawType == kLeastSquares) {
    const int64_t n = std::max<int64_t>(int64_t{f.BacPT} + 1, 0);
    Line(out, "HeSo=", std::to_string(n));
    for (int64_t k = 0; k < n; ++k) Line(out, FuncFileReal(ValueOrNaN(f.HeSo, static_cast<size_t>(k))));
  }
}

void WriteFuncList(std::string& out, const TFuncList& list, char letter, int32_t count) {
  Line(out, kSectionLine);
  Line(out, std::string(1, letter) + "D:", std::to_string(count));
  for (int i = 1; i <= count; ++i) WriteRecord(out, list[i]);
}

// Reads one file forward: keys are searched line by line and never found
// behind the last line read; point and value lines are read by position.
class TFuncFileReader {
 public:
  explicit TFuncFileReader(std::string_view text) : text_(text) {}

  bool ReadFuncList(char letter, std::vector<TFuncRec>& records) {
    int32_t count = 0;
    if (!ReadIntKey(std::string(1, letter) + "D:", count) || count < 0 || count > MaxFuncs) return false;
    for (int32_t i = 0; i < count; ++i) {
      TFuncRec f;
      if (!ReadIntKey("FuncType=", f.FuncType) || !ReadStringKey("FuncName=", f.FuncName) ||
          !ReadIntKey("LineWidth=", f.LineWidth) || !ReadIntKey("Color=", f.Color))
        return false;
      if (f.FuncType < 1 || f.FuncType > TNKind) return false;
      f.LineWidth = std::clamp(f.LineWidth, MinLineWidth, MaxLineWidth);
      if (f.FuncType == TNKind ? !ReadTNData(f) : !ReadFormulaData(f)) return false;
      f.Shown = true;
      records.push_back(std::move(f));
    }
    return true;
  }

 private:
  bool ReadFormulaData(TFuncRec& f) {
    for (const TRealField& real : kRealFields)
      if (!ReadRealKey(real.Key, f.*real.Field)) return false;
    for (int j = 1; j <= 3; ++j)
      if (!ReadStringKey(kFormulaKeys[j - 1], f.Func[j])) return false;
    return true;
  }

  bool ReadTNData(TFuncRec& f) {
    int32_t count = 0;
    if (!ReadIntKey("DrawType=", f.DrawType) || !ReadIntKey("BacPT=", f.BacPT) || !ReadIntKey("TNCount=", count))
      return false;
    if (f.DrawType < 0 || f.DrawType > kLeastSquares || count < 0 || count > MaxFilePoints) return false;
    // An interpolation needs two points, a fitted polynomial a degree.
    if (f.DrawType == kInterpolation && count < 2) return false;
    if (f.DrawType == kLeastSquares && (f.BacPT < 1 || f.BacPT > MaxFileDegree)) return false;
    f.TNPoints.resize(static_cast<size_t>(count));
    for (TTNPoint& p : f.TNPoints) {
      if (!ReadReal(p.X) || !ReadReal(p.Y)) return false;
      SkipRestOfLine();
    }
    if (f.DrawType == kInterpolation) return ReadValues("TyHieu=", int64_t{count} - 1, f.TyHieu);
    if (f.DrawType == kLeastSquares) return ReadValues("HeSo=", int64_t{f.BacPT} + 1, f.HeSo);
    return true;
  }

  // The count line must announce exactly `count` value lines.
  bool ReadValues(std::string_view key, int64_t count, std::vector<long double>& values) {
    int32_t announced = 0;
    if (!ReadIntKey(key, announced) || announced != count) return false;
    values.resize(static_cast<size_t>(count));
    for (long double& v : values) {
      if (!ReadReal(v)) return false;
      SkipRestOfLine();
    }
    return true;
  }

  // The next line without its line end, cut to kMaxLine characters.
  bool ReadLine(std::string_view& line) {
    if (pos_ >= text_.size()) return false;
    const size_t end = std::min(text_.find_first_of("\r\n", pos_), text_.size());
    line = text_.substr(pos_, std::min(end - pos_, kMaxLine));
    pos_ = end;
    SkipLineEnd();
    return true;
  }

  void SkipLineEnd() {
    if (pos_ >= text_.size()) return;
    if (text_[pos_] == '\r' && pos_ + 1 < text_.size() && text_[pos_ + 1] == '\n') ++pos_;
    ++pos_;
  }

  void SkipRestOfLine() {
    pos_ = std::min(text_.find_first_of("\r\n", pos_), text_.size());
    SkipLineEnd();
  }

  // The first line from here on that begins with the key in any letter case;
  // the value is the rest of it without blanks at either end.
  bool ReadKeyValue(std::string_view key, std::string_view& value) {
    std::string_view line;
    while (ReadLine(line)) {
      if (line.size() >= key.size() && SameText(line.substr(0, key.size()), key)) {
        value = Trimmed(line.substr(key.size()));
        return true;
      }
    }
    return false;
  }

  bool ReadStringKey(std::string_view key, std::string& target) {
    std::string_view value;
    if (!ReadKeyValue(key, value)) return false;
    target = value;
    return true;
  }

  bool ReadIntKey(std::string_view key, int32_t& target) {
    std::string_view value;
    int parsed = 0;
    if (!ReadKeyValue(key, value) || !TryStrToInt(value, parsed)) return false;
    target = parsed;
    return true;
  }

  bool ReadRealKey(std::string_view key, double& target) {
    std::string_view value;
    long double parsed = 0;
    if (!ReadKeyValue(key, value) || !TryParseFuncFileReal(value, parsed)) return false;
    target = static_cast<double>(parsed);
    return true;
  }

  // The next real by position: blanks and line ends before it are passed over.
  bool ReadReal(long double& value) {
    while (pos_ < text_.size() && IsBlank(text_[pos_])) ++pos_;
    const size_t start = pos_;
    while (pos_ < text_.size() && !IsBlank(text_[pos_])) ++pos_;
    const size_t length = pos_ - start;
    return length > 0 && length <= kMaxToken && TryParseFuncFileReal(text_.substr(start, length), value);
  }

  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

std::string FuncFileReal(long double value) {
  if (std::isnan(value)) return " NAN";
  if (std::isinf(value)) return value < 0 ? "-INF" : " INF";
  // d.dddddddddddddde+xx: fifteen significant digits, correctly rounded.
  char buffer[48];
  const auto written =
      std::to_chars(buffer, buffer + sizeof buffer, std::fabs(value), std::chars_format::scientific, 14);
  const std::string_view sci(buffer, static_cast<size_t>(written.ptr - buffer));
  const size_t e = sci.find('e');
  const std::string_view exponent = sci.substr(e + 2);
  std::string text(1, value < 0 ? '-' : ' ');
  text += sci.substr(0, e);
  text += 'E';
  text += sci[e + 1];
  text += std::string(exponent.size() < 4 ? 4 - exponent.size() : 0, '0');
  text += exponent;
  return text;
}

bool TryParseFuncFileReal(std::string_view text, long double& value) {
  constexpr long double kInfinity = std::numeric_limits<long double>::infinity();
  if (SameText(text, "INF") || SameText(text, "+INF")) {
    value = kInfinity;
    return true;
  }
  if (SameText(text, "-INF")) {
    value = -kInfinity;
    return true;
  }
  if (SameText(text, "NAN") || SameText(text, "+NAN") || SameText(text, "-NAN")) {
    value = std::numeric_limits<long double>::quiet_NaN();
    return true;
  }
  double parsed = 0;
  bool overflow = false;
  if (!TryParseDecimal(text, parsed, overflow)) return false;
  value = parsed;
  return true;
}

std::string WriteFuncListText(const TFuncList& list2D, int32_t count2D, const TFuncList& list3D, int32_t count3D) {
  std::string out;
  Line(out, "    ..-[ Plotvane v2.11 ]-..");
  Line(out, "     Kurvex - phan mem ve do thi ham so");
  Line(out, "");
  Line(out, "Danh sach ham so :");
  Line(out, "");
  WriteFuncList(out, list2D, '2', count2D);
  WriteFuncList(out, list3D, '3', count3D);
  return out;
}

bool ReadFuncListText(std::string_view text, TFuncFileRecords& records) {
  records = TFuncFileRecords();
  TFuncFileReader reader(text);
  if (reader.ReadFuncList('2', records.Section2D) && reader.ReadFuncList('3', records.Section3D)) return true;
  records = TFuncFileRecords();
  return false;
}

}  // namespace kx
