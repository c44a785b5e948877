// The grapher's tables: function kinds and compile-error texts. Their texts
// are written here in UTF-8 and converted to TCVN3 once, at first use.
#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"

namespace kx {

namespace {

TFuncKindInfo Kind(const char* caption, std::array<std::string, 3> labels, std::array<char, 3> letters,
                   std::array<char, 2> vars, int32_t nVars, int32_t nFormulas) {
  TFuncKindInfo info;
  info.Caption = Tcvn3Text(caption);
  info.Labels = labels;
  info.FuncLetters = letters;
  info.VarNames = vars;
  info.NVars = nVars;
  info.NFormulas = nFormulas;
  return info;
}

TRangeArray<TFuncKindInfo, 1, 8> MakeKindTable() {
  return {{
      Kind("Hàm số hệ tọa độ Đề các", {"f(x) =", "", ""}, {'f', ' ', ' '}, {'x', ' '}, 1, 1),
      Kind("Hàm số hệ tọa độ Đề các", {"f(y) =", "", ""}, {'f', ' ', ' '}, {'y', ' '}, 1, 1),
      Kind("Hàm số hệ tọa độ cực", {"f(p) =", "", ""}, {'f', ' ', ' '}, {'p', ' '}, 1, 1),
      Kind("Hàm số hệ tọa độ cực", {"f(r) =", "", ""}, {'f', ' ', ' '}, {'r', ' '}, 1, 1),
      Kind("Hàm số tham số", {"X(t) =", "Y(t) =", ""}, {'X', 'Y', ' '}, {'t', ' '}, 1, 2),
      Kind("Hàm số đường 3 chiều tham số", {"X(t) =", "Y(t) =", "Z(t) ="}, {'X', 'Y', 'Z'}, {'t', ' '}, 1, 3),
      Kind("Hàm số mặt 3 chiều", {"f(x,y) =", "", ""}, {'f', ' ', ' '}, {'x', 'y'}, 2, 1),
      Kind("Hàm số mặt 3 chiều tham số", {"X(u,v) =", "Y(u,v) =", "Z(u,v) ="}, {'X', 'Y', 'Z'}, {'u', 'v'}, 2, 3),
  }};
}

TRangeArray<std::string, eNone, eParameter> MakeCompileErrorMessages() {
  TRangeArray<std::string, eNone, eParameter> texts;
  texts[eNone] = Tcvn3Text("Công thức hàm đúng");
  texts[eDomain] = Tcvn3Text("Lỗi khi tính toán biểu thức hằng");
  texts[eNumFormat] = Tcvn3Text("Nhập số sai kiểu");
  texts[eValExpected] = Tcvn3Text("Gọi hàm thiếu tham số");
  texts[eOpExpected] = Tcvn3Text("Gọi hàm sai");
  texts[eEdge] = Tcvn3Text("Thiếu dấu ')'");
  texts[eUnknown] = Tcvn3Text("Tên hàm hoặc tên biến không xác định");
  texts[eOutOfRange] = Tcvn3Text("Hằng số vượt quá khoảng cho phép");
  texts[eType] = Tcvn3Text("Kiểu không tương thích");
  texts[eVarParameter] = Tcvn3Text("Gọi hàm với thông số không hợp lệ");
  texts[eParameter] = Tcvn3Text("Gọi hàm với số tham số không phù hợp");
  return texts;
}

}  // namespace

const TRangeArray<TFuncKindInfo, 1, 8>& KindTable() {
  static const TRangeArray<TFuncKindInfo, 1, 8> table = MakeKindTable();
  return table;
}

const TRangeArray<std::string, eNone, eParameter>& CompileErrorMessages() {
  static const TRangeArray<std::string, eNone, eParameter> texts = MakeCompileErrorMessages();
  return texts;
}

int32_t FormulaCount(int32_t kind) { return kind >= 1 && kind <= 8 ? KindTable()[kind].NFormulas : 0; }

bool IsKind2D(int32_t kind) { return kind < 6 || kind > 8; }

TColor DefaultColor(int32_t kind, int32_t count) {
  const int entry = count % 10 + 1;
  return IsKind2D(kind) ? ColorTable2D[entry] : ColorTable3D[entry];
}

}  // namespace kx
