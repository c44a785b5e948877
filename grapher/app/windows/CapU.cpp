#include "app/windows/CapU.h"

#include <windows.h>

#include <climits>

#include "app/plot/MainU_Capture.h"
#include "app/windows/FInU_Rows.h"
#include "framework/core/FormResources.h"
#include "framework/windows/Dialogs.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVEdit.h"

namespace kx {

TCapForm* CapForm = nullptr;

namespace {

constexpr const char* BadSizeText = "Nhap sai kich thuoc";
constexpr const char* BadSizeCaption = "Error";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

}  // namespace

bool TryParsePictureSize(std::string_view text, int& value) {
  size_t i = 0, end = text.size();
  while (i < end && IsBlank(text[i])) ++i;
  while (end > i && IsBlank(text[end - 1])) --end;
  bool negative = false;
  if (i < end && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  if (i == end) return false;
  long long n = 0;
  for (; i < end; ++i) {
    if (text[i] < '0' || text[i] > '9') return false;
    n = n * 10 + (text[i] - '0');
    if (n > static_cast<long long>(INT_MAX) + 1) return false;
  }
  if (negative) n = -n;
  if (n > INT_MAX) return false;
  value = static_cast<int>(n);
  return true;
}

std::string PictureFileName(const std::string& name) {
  return name.find(".png") == std::string::npos ? name + ".png" : name;
}

KX_PUBLISH(TCapForm) {
  p.Handler("btnBrowseClick", &TCapForm::btnBrowseClick);
  p.Handler("btnOKClick", &TCapForm::btnOKClick);
  p.Handler("btnCancelClick", &TCapForm::btnCancelClick);
}

TCapForm::TCapForm(TComponent* owner) : TForm(owner) {
  ReadFormResource(*this);
  edBm_name_ = FindComponentAs<TkvEdit>(*this, "edBm_name");
  edBm_w_ = FindComponentAs<TkvEdit>(*this, "edBm_w");
  edBm_h_ = FindComponentAs<TkvEdit>(*this, "edBm_h");
  btnBrowse_ = FindComponentAs<TkvButton>(*this, "btnBrowse");
  btnOK_ = FindComponentAs<TkvButton>(*this, "btnOK");
  btnCancel_ = FindComponentAs<TkvButton>(*this, "btnCancel");
  ShowWarning = [this](const std::string& text, const std::string& caption) {
    MessageBoxA(HandleAllocated() ? Handle() : nullptr, text.c_str(), caption.c_str(), MB_OK | MB_ICONWARNING);
  };
  ChooseFile = [](std::string& fileName) {
    TSaveDialog dialog(nullptr);
    dialog.SetTitle("Luu file bitmap Plotvane");
    dialog.SetFileName(fileName);
    dialog.SetDefaultExt(".png");
    dialog.SetFilter("24 bit Portable Network Graphic (*.png)|*.png");
    if (!dialog.Execute()) return false;
    fileName = dialog.FileName();
    return true;
  };
}

void TCapForm::Execute(const std::string& name, TViewState& view, TCaptureSource& source) {
  view_ = &view;
  source_ = &source;
  edBm_name_->SetText(name);
  ShowModal();
  view_ = nullptr;
  source_ = nullptr;
}

void TCapForm::btnBrowseClick(TObject*) {
  std::string fileName = edBm_name_->Text();
  if (ChooseFile(fileName)) edBm_name_->SetText(fileName);
}

void TCapForm::btnOKClick(TObject*) {
  if (!view_ || !source_) return;  // only Execute shows the dialog with a view to save
  int width = 0, height = 0;
  const std::string name = edBm_name_->Text();
  if (!TryParsePictureSize(edBm_w_->Text(), width) || !TryParsePictureSize(edBm_h_->Text(), height) || name.empty()) {
    ShowWarning(BadSizeText, BadSizeCaption);
    return;
  }
  try {
    SaveCapture(*view_, *source_, PictureFileName(name), width, height);
  } catch (const ECaptureSize&) {
    // A size the view cannot be rendered at: the same as one that does not read.
    ShowWarning(BadSizeText, BadSizeCaption);
    return;
  }
  SetModalResult(mrOk);
}

void TCapForm::btnCancelClick(TObject*) { SetModalResult(mrCancel); }

}  // namespace kx
