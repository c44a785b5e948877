// The texts are written here in UTF-8 and converted to TCVN3 once, at first use.
#include "app/windows/FInU_Tables.h"

#include "app/model/Tcvn3Text.h"

namespace kx {

namespace {

TFormulaIdentifier Entry(const char* name, const char* syntax, const char* description) {
  return {name, Tcvn3Text(syntax), Tcvn3Text(description)};
}

std::array<TFormulaIdentifier, 45> MakeIdentifierTable() {
  return {{
      Entry("X", "x", "Biến x"),
      Entry("Y", "y", "Biến y"),
      Entry("P", "p", "Biến p"),
      Entry("R", "r", "Biến r"),
      Entry("T", "t", "Biến t"),
      Entry("U", "u", "Biến u"),
      Entry("V", "v", "Biến v"),
      Entry("AND", "ĐK1 and ĐK2", "Kết quả logic là Đúng khi và chỉ khi ĐK1 và ĐK2 đều Đúng"),
      Entry("OR", "ĐK1 or ĐK2", "Kết quả logic là Đúng khi ĐK1 hoặc ĐK2 là Đúng"),
      Entry("NOT", "not ĐK", "Kết quả logic là Đúng khi ĐK là Sai và ngược lại"),
      Entry("XOR", "ĐK1 xor ĐK2", "Kết quả logic là Đúng khi ĐK1 khác ĐK2"),
      Entry("TRUE", "True", "Hằng số logic = Đúng"),
      Entry("FALSE", "False", "Hằng số logic = Sai"),
      Entry("DIV", "a Div b", "Phép chia lấy phần nguyên"),
      Entry("MOD", "a Mod b", "Phép chia lấy phần dư"),
      Entry("PI", "Pi", "Hằng số pi = 3.141592653589"),
      Entry("SIN", "Sin(x)", "Sin của x (rad)"),
      Entry("COS", "Cos(x)", "Cos của x (rad)"),
      Entry("TAN", "Tan(x)", "Tang của x (rad)"),
      Entry("COTAN", "CoTan(x)", "CoTang của x (rad)"),
      Entry("ARCSIN", "ArcSin(x)", "ArcSin của x"),
      Entry("ARCCOS", "ArcCos(x)", "ArcCos của x"),
      Entry("ARCTAN", "ArcTan(x)", "ArcTang của x"),
      Entry("POWER", "Power(a,b)", "a mũ b"),
      Entry("EXP", "Exp(x)", "e mũ x"),
      Entry("LN", "Ln(x)", "Logarit tự nhiên của x"),
      Entry("LOG2", "Log2(x)", "Logarit nhị phân của x"),
      Entry("LOG10", "Log10(x)", "Logarit thập phân của x"),
      Entry("LOGN", "LogN(a,b)", "Logarit cơ số a của b"),
      Entry("SQR", "Sqr(x)", "Bình phương của x"),
      Entry("SQRT", "Sqrt(x)", "Căn bậc 2 của x"),
      Entry("ROUND", "Round(x)", "Làm tròn x"),
      Entry("CEIL", "Ceil(x)", "Làm tròn lên của x"),
      Entry("FLOOR", "Floor(x)", "Làm tròn xuống của x"),
      Entry("TRUNC", "Trunc(x)", "Phần nguyên của x"),
      Entry("FRAC", "Frac(x)", "Phần thập phân của x"),
      Entry("ABS", "Abs(x)", "Giá trị tuyệt đối của x "),
      Entry("DEGTORAD", "DegToRad(x)", "Đổi x từ độ sang Rađian"),
      Entry("RADTODEG", "RadToDeg(x)", "Đổi x từ Rađian sang độ"),
      Entry("SIGN", "Sign(x)", "Dấu của x (=1 nếu x>0, =-1 nếu x<0, =0 nếu x=0)"),
      Entry("IFTHEN", "IfThen(Điều kiện, Giá trị 1, Giá trị 2)",
            "Hàm=Giá trị 1 nếu Điều kiện đúng, =Giá trị 2 nếu Điều kiện sai"),
      {"INRANGE", Tcvn3Text("InRange(x,a,b)"),
       Tcvn3Text("Kết quả là đúng nếu x ") + MembershipSign + Tcvn3Text(" [a,b] và là sai nếu ngược lại")},
      Entry("MIN", "Min(a,b)", "Giá trị min của a và b"),
      Entry("MAX", "Max(a,b)", "Giá trị max của a và b"),
      Entry("RANDOM", "Random(a)", "Hàm trả về một giá trị ngẫu nhiên trong khoảng từ 0 đến a"),
  }};
}

std::vector<std::string> MakeHelpLines() {
  static const char* const lines[] = {
      "Biểu thức hàm bao gồm những ",
      "thành phần sau:",
      "- Các toán tử +,-,*,/ và các dấu ",
      "ngoặc () với thứ tự ưu tiên là : trong ",
      "ngoặc trước, ngoài ngoặc sau; *,/ ",
      "trước, +,- sau.",
      "- Các hàm lượng giác SIN(), COS(), ",
      "TAN(), COTAN(), ARCSIN(), ",
      "ARCCOS(),  ARCTAN(), ",
      "ARCCOTAN()",
      "- Hàm a mũ b POWER(a,b), hàm e ",
      "mũ EXP()",
      "- Hàm logarit tự nhiên LN(), logarit ",
      "thập phân LOG10(), logarit nhị phân ",
      "LOG2(), logarit cơ số a của b ",
      "LOGN(a,b)",
      "- Hàm bình phương SQR(), hàm lấy ",
      "căn bậc hai SQRT()",
      "- Hàm làm tròn ROUND(), hàm làm ",
      "tròn lên CEIL(), làm tròn xuống ",
      "FLOOR()",
      "- Hàm lấy phần nguyên TRUNC(), ",
      "hàm lấy phần thập phân FRAC()",
      "- Hàm lấy giá trị tuyệt đối ABS()",
      "- Hàm lấy MIN(a,b) và lấy MAX(a,b)",
      "- Hằng số Pi.",
      "Chú ý :",
      "+ Đối số của các hàm đặt trong dấu ",
      "ngoặc đơn sau tên hàm",
      "+ Đơn vị đo góc của các hàm lượng ",
      "giác là Rađian",
  };
  std::vector<std::string> converted;
  for (const char* line : lines) converted.push_back(Tcvn3Text(line));
  return converted;
}

}  // namespace

const std::array<TFormulaIdentifier, 45>& FormulaIdentifierTable() {
  static const std::array<TFormulaIdentifier, 45> table = MakeIdentifierTable();
  return table;
}

const std::vector<std::string>& FormulaHelpLines() {
  static const std::vector<std::string> lines = MakeHelpLines();
  return lines;
}

const std::string& FormulaErrorHeading() {
  static const std::string text = Tcvn3Text("Có lỗi trong công thức hàm ");
  return text;
}

const std::string& UnknownWordMessage() {
  static const std::string text = Tcvn3Text("Tên hàm hoặc tên biến không xác định");
  return text;
}

std::string ForbiddenVariableMessage(const std::string& word) {
  static const std::string before = Tcvn3Text("Biến "), after = Tcvn3Text(" không hợp lệ");
  // A short string holds 255 characters.
  return (before + word + after).substr(0, 255);
}

}  // namespace kx
