#include "app/windows/ThNghiemU.h"

#include <algorithm>
#include <charconv>

#include "app/model/DecimalText.h"
#include "app/model/MainU_Funcs.h"
#include "app/model/Tcvn3Text.h"
#include "app/model/ThNghiemU_Fit.h"
#include "app/windows/FInU_Rows.h"
#include "framework/core/FormResources.h"
#include "framework/windows/ValEdit.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVComboBox.h"
#include "skin/controls/KVEdit.h"
#include "skin/controls/KVGrid.h"

namespace kx {

TTNForm* TNForm = nullptr;

namespace {

constexpr int32_t DrawPoints = 0, DrawBrokenLine = 1, DrawInterpolation = 2, DrawLeastSquares = 3;
const char* const kDifferencesTitle = "Tỷ hiệu cấp";
const char* const kCoefficientsTitle = "Hệ số thứ";

TFuncRec& CurFunc() { return FuncModel().CurFunc; }

// A whole decimal number, sign allowed, nothing else.
bool TryDecimalInt(const std::string& text, int& value) {
  const char* first = text.data();
  const char* last = first + text.size();
  if (first != last && *first == '+') ++first;
  const auto [end, error] = std::from_chars(first, last, value);
  return error == std::errc() && end == last && first != last;
}

}  // namespace

KX_PUBLISH(TTNForm) {
  p.Handler("rbDRRClick", &TTNForm::rbDRRClick);
  p.Handler("rbDGKClick", &TTNForm::rbDGKClick);
  p.Handler("rbDTNSClick", &TTNForm::rbDTNSClick);
  p.Handler("rbHHQClick", &TTNForm::rbHHQClick);
  p.Handler("rbTTClick", &TTNForm::rbTTClick);
  p.Handler("rbDTBNClick", &TTNForm::rbDTBNClick);
  p.Handler("edPTBacChange", &TTNForm::edPTBacChange);
  p.Handler("btnSwapXYClick", &TTNForm::btnSwapXYClick);
  p.Handler("btnSortClick", &TTNForm::btnSortClick);
  p.Handler("btnHSPTClick", &TTNForm::btnHSPTClick);
  p.Handler("ColorBoxDrawItem", &TTNForm::ColorBoxDrawItem);
  p.Handler("btnOKClick", &TTNForm::btnOKClick);
  p.Handler("btnCancelClick", &TTNForm::btnCancelClick);
}

TTNForm::TTNForm(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  table_ = FindComponentAs<TValueListEditor>(*this, "TNVal");
  gridHS_ = FindComponentAs<TkvStringGrid>(*this, "gridHS");
  edFuncName_ = FindComponentAs<TkvEdit>(*this, "edFuncName");
  edDdn_ = FindComponentAs<TkvEdit>(*this, "edDdn");
  edPTBac_ = FindComponentAs<TkvEdit>(*this, "edPTBac");
  colorBox_ = FindComponentAs<TkvComboBox>(*this, "ColorBox");
  cbNewF_ = FindComponentAs<TkvCheckBox>(*this, "cbNewF");
  rbDRR_ = FindComponentAs<TkvRadioButton>(*this, "rbDRR");
  rbDGK_ = FindComponentAs<TkvRadioButton>(*this, "rbDGK");
  rbDTNS_ = FindComponentAs<TkvRadioButton>(*this, "rbDTNS");
  rbHHQ_ = FindComponentAs<TkvRadioButton>(*this, "rbHHQ");
  rbTT_ = FindComponentAs<TkvRadioButton>(*this, "rbTT");
  rbDTBN_ = FindComponentAs<TkvRadioButton>(*this, "rbDTBN");
}

void TTNForm::ShowGrid(const char* title, const std::vector<long double>& values, int firstNumber) {
  const int columns = static_cast<int>(values.size()) + 1;
  gridHS_->SetColCount(columns);
  gridHS_->SetCells(0, 0, Tcvn3Text(title));
  gridHS_->SetCells(0, 1, Tcvn3Text("Giá trị"));
  // The grid keeps one column beside its fixed one: empty when there is nothing to show.
  for (int c = 1; c < std::max(columns, gridHS_->ColCount()); ++c) {
    const bool shown = c < columns;
    gridHS_->SetCells(c, 0, shown ? std::to_string(c - 1 + firstNumber) : "");
    gridHS_->SetCells(c, 1, shown ? TNNumberText(values[c - 1]) : "");
  }
}

void TTNForm::PrepareTNDialog() {
  TFuncRec& f = CurFunc();
  cbNewF_->SetChecked(false);
  cbNewF_->SetVisible(!FuncModel().IsNewFunc);
  edFuncName_->SetText(f.FuncName);
  int colour = ColorTable2D.High;
  for (int i = ColorTable2D.High; i >= ColorTable2D.Low; --i)
    if (ColorTable2D[i] == f.Color) colour = i;
  colorBox_->SetItemIndex(colour - 1);
  edDdn_->SetText(std::to_string(f.LineWidth));

  ShowGrid(kCoefficientsTitle, {}, 0);
  switch (f.DrawType) {
    case DrawPoints:
      SelectDrawType(rbDRR_, DrawPoints);
      break;
    case DrawBrokenLine:
      SelectDrawType(rbDGK_, DrawBrokenLine);
      break;
    case DrawInterpolation:
      SelectDrawType(rbDTNS_, DrawInterpolation);
      ShowGrid(kDifferencesTitle, f.TyHieu, 1);
      break;
    case DrawLeastSquares:
      rbHHQ_->SetChecked(true);
      if (f.BacPT < 1 || f.BacPT > f.TNCount() - 1) f.BacPT = 1;
      edPTBac_->SetText(std::to_string(f.BacPT));
      (f.BacPT == 1 ? rbTT_ : rbDTBN_)->SetChecked(true);
      // The coefficients of the degree shown, as many as the record holds.
      ShowGrid(kCoefficientsTitle,
               {f.HeSo.begin(), f.HeSo.begin() + std::min<size_t>(f.HeSo.size(), static_cast<size_t>(f.BacPT) + 1)}, 0);
      break;
    default:
      break;
  }

  TStrings& rows = *table_->Strings();
  rows.BeginUpdate();
  rows.Clear();
  for (const TTNPoint& p : f.TNPoints) rows.Add(TNNumberText(p.X) + "=" + TNNumberText(p.Y));
  rows.EndUpdate();
}

TModalResult TTNForm::EditCurFunc() {
  PrepareTNDialog();
  return ShowModal();
}

void TTNForm::SelectDrawType(TkvRadioButton* chosen, int32_t drawType) {
  chosen->SetChecked(true);
  CurFunc().DrawType = drawType;
  rbTT_->SetChecked(false);
  rbDTBN_->SetChecked(false);
}

int32_t TTNForm::DegreeField() const {
  int degree = 1;
  return TryDecimalInt(edPTBac_->Text(), degree) ? degree : 1;
}

void TTNForm::rbDRRClick(TObject*) { SelectDrawType(rbDRR_, DrawPoints); }
void TTNForm::rbDGKClick(TObject*) { SelectDrawType(rbDGK_, DrawBrokenLine); }

void TTNForm::rbDTNSClick(TObject*) {
  SelectDrawType(rbDTNS_, DrawInterpolation);
  gridHS_->SetCells(0, 0, Tcvn3Text(kDifferencesTitle));
}

void TTNForm::rbHHQClick(TObject*) {
  rbHHQ_->SetChecked(true);
  CurFunc().DrawType = DrawLeastSquares;
  if (!rbTT_->Checked() && !rbDTBN_->Checked()) {
    rbTT_->SetChecked(true);
    CurFunc().BacPT = 1;
  }
  gridHS_->SetCells(0, 0, Tcvn3Text(kCoefficientsTitle));
}

void TTNForm::ChooseRegression(TkvRadioButton* chosen, int32_t degree) {
  rbHHQ_->SetChecked(true);
  chosen->SetChecked(true);
  CurFunc().DrawType = DrawLeastSquares;
  CurFunc().BacPT = degree;
  gridHS_->SetCells(0, 0, Tcvn3Text(kCoefficientsTitle));
}

void TTNForm::rbTTClick(TObject*) { ChooseRegression(rbTT_, 1); }
void TTNForm::rbDTBNClick(TObject*) { ChooseRegression(rbDTBN_, DegreeField()); }

void TTNForm::edPTBacChange(TObject*) {
  if (rbDTBN_->Checked()) CurFunc().BacPT = DegreeField();
}

bool TTNForm::ReadDataTable() {
  std::vector<TTNPoint>().swap(CurFunc().TNPoints);
  const int rows = table_->Strings()->Count();
  if (rows == 0) return false;
  std::vector<TTNPoint> points(static_cast<size_t>(rows));
  for (int r = 1; r <= rows; ++r) {
    if (!TryParseFieldNumber(table_->Cells(0, r), points[r - 1].X) ||
        !TryParseFieldNumber(table_->Cells(1, r), points[r - 1].Y)) {
      WarningBox(this, "Nhap sai gia tri thuc nghiem", "Thong bao");
      return false;
    }
  }
  CurFunc().TNPoints.swap(points);
  return true;
}

bool TTNForm::ReadAndSortDataTable() {
  if (!ReadDataTable()) return false;
  TStrings& rows = *table_->Strings();
  rows.BeginUpdate();
  ExchangeSortByX(CurFunc().TNPoints, [&](size_t i, size_t j) { rows.Exchange(static_cast<int>(i), static_cast<int>(j)); });
  rows.EndUpdate();
  return true;
}

void TTNForm::btnSortClick(TObject*) { ReadAndSortDataTable(); }

void TTNForm::btnSwapXYClick(TObject*) {
  TStrings& rows = *table_->Strings();
  rows.BeginUpdate();
  for (int i = 0; i < rows.Count(); ++i) {
    const std::string line = rows.Get(i);
    const size_t eq = line.find('=');
    rows.Put(i, eq == std::string::npos ? "=" + line : line.substr(eq + 1) + "=" + line.substr(0, eq));
  }
  rows.EndUpdate();
}

bool TTNForm::Fit() {
  TFuncRec& f = CurFunc();
  const TFitError error = f.DrawType == DrawInterpolation ? NewtonDividedDifferences(f.TNPoints, f.TyHieu)
                                                          : FitPolynomialLeastSquares(f.TNPoints, f.BacPT, f.HeSo);
  if (error != TFitError::None) WarningBox(this, FitErrorMessage(error), "Thong bao");
  return error == TFitError::None;
}

void TTNForm::btnHSPTClick(TObject*) {
  const int32_t drawType = CurFunc().DrawType;
  if (drawType != DrawInterpolation && drawType != DrawLeastSquares) return;
  if (!ReadAndSortDataTable()) return;
  const bool interpolation = drawType == DrawInterpolation;
  ShowGrid(interpolation ? kDifferencesTitle : kCoefficientsTitle, {}, 0);
  if (Fit()) ShowGrid(interpolation ? kDifferencesTitle : kCoefficientsTitle,
                      interpolation ? CurFunc().TyHieu : CurFunc().HeSo, interpolation ? 1 : 0);
}

void TTNForm::ColorBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState) {
  TCanvas& canvas = *As<TComboBox>(control)->Canvas();
  canvas.FillRect(rect);
  if (index < 0 || index + 1 > ColorTable2D.High) return;
  InflateRect(&rect, -2, -2);
  canvas.Brush()->SetColor(ColorTable2D[index + 1]);
  canvas.FillRect(rect);
}

void TTNForm::btnOKClick(TObject*) {
  TFuncRec& f = CurFunc();
  f.FuncName = edFuncName_->Text().substr(0, 255);
  if (!ReadAndSortDataTable()) return;
  if ((f.DrawType == DrawInterpolation || f.DrawType == DrawLeastSquares) && !Fit()) return;
  int width = 0;
  if (!TryDecimalInt(edDdn_->Text(), width)) {
    edDdn_->SetFocus();
    edDdn_->SelectAll();
    WarningBox(this, "Nhap sai do day net ve", "Error");
    return;
  }
  FuncModel().SaveAsNew = cbNewF_->Checked();
  f.LineWidth = std::clamp(width, 1, 5);
  f.Color = ColorTable2D[std::clamp(colorBox_->ItemIndex() + 1, ColorTable2D.Low, ColorTable2D.High)];
  SetModalResult(mrOk);
}

void TTNForm::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

}  // namespace kx
