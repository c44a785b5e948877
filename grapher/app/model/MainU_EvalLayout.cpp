#include "app/model/MainU_EvalLayout.h"

#include "app/model/Tcvn3Text.h"

namespace kx {

TEvalLayout EvalLayout(int32_t kind) {
  // Experimental data reads its letters from kind 1, the plane's y = f(x),
  // and never from a row past the end of the table.
  const TFuncKindInfo& info = KindTable()[kind >= 1 && kind <= 8 ? kind : 1];
  TEvalLayout layout;
  layout.VarRows = kind == 7 || kind == 8 ? 2 : 1;
  const int formulas = kind >= 1 && kind <= 8 ? info.NFormulas : 1;
  layout.ValueRows = layout.DerivRows = layout.IntRows = formulas;
  for (int v = 1; v <= 2; ++v) {
    layout.VarLabels[v] = std::string(1, info.VarNames[v]);
    layout.LimitCaptions[v] = Tcvn3Text("Biến ") + info.VarNames[v];
  }
  for (int j = 1; j <= 3; ++j) {
    const std::string letter(1, info.FuncLetters[j]);
    layout.ValueLabels[j] = letter;
    layout.DerivLabels[j] = letter + "'";
    layout.IntLabels[j] = "I" + letter;
  }
  layout.DerivCaption = Tcvn3Text("Giá trị đạo hàm");
  const int heightByRows[] = {0, 55, 87, 121};
  layout.ValueHeight = layout.DerivHeight = layout.IntHeight = heightByRows[formulas];
  if (kind == 7) {
    // One value, the two partials, one integral.
    layout.DerivRows = 2;
    layout.DerivLabels[1] = layout.ValueLabels[1] + "'x";
    layout.DerivLabels[2] = layout.ValueLabels[1] + "'y";
    layout.DerivCaption = Tcvn3Text("Giá trị đạo hàm riêng");
    layout.DerivHeight = 87;
  }
  if (layout.VarRows == 2) layout.VarHeight = 89, layout.LimitHeight = 215;
  return layout;
}

}  // namespace kx
