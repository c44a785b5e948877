#include "app/model/MainU_Driver.h"

#include "app/model/MainU_FuncFile.h"

namespace kx {

namespace {

const char* const kListFull = "Chuong trinh chi cho phep toi da 20 ham so";
const char* const kNotice = "Thong bao";

bool IsKind(int32_t kind) { return kind >= 1 && kind <= TNKind; }

}  // namespace

void TFuncDriver::AddClicked() {
  TFuncRec& f = model_.CurFunc;
  f.FuncName = "Ham so ??? ";
  f.FuncType = 1;
  f.Shown = true;
  f.LineWidth = 1;
  f.First1 = -15, f.Last1 = 15, f.Step1 = 0.01;
  f.First2 = -15, f.Last2 = 15, f.Step2 = 0.01;
  f.RelX = 0, f.RelY = 0, f.Rotate = 0;
  f.DestroyCompilers();
  // The formula texts stay: the dialog offers the last ones typed.

  if (dialogs_.ShowKindChooser() != mrOk || !IsKind(f.FuncType)) return;
  const int32_t kind = f.FuncType;
  const int32_t count = model_.CountOf(kind);
  if (count >= MaxFuncs) {
    dialogs_.ShowWarning(kListFull, kNotice);
    return;
  }
  model_.IsNewFunc = true;
  if (kind == TNKind) {
    f.First1 = 0, f.Last1 = 0, f.Step1 = 0;
    f.ClearTNData();
    f.FuncName = "Ham so TN ";
  } else {
    f.FuncName = IsKind2D(kind) ? "Ham so 2D " : "Ham so 3D ";
  }
  // An experimental record is numbered in the whole plane list.
  f.FuncName += std::to_string(count + 1);
  f.Color = DefaultColor(kind, count);
  AddOrEditFunc(0, false);
}

bool TFuncDriver::AddOrEditFunc(int index, bool compileFirst) {
  TFuncRec& f = model_.CurFunc;
  // Only the dialog that is about to open may ask to store as new: a flag left
  // by an earlier dialog would append a copy instead of replacing the entry.
  model_.SaveAsNew = false;
  if (!IsKind(f.FuncType)) return false;
  const bool tn = f.FuncType == TNKind;
  if (!tn) model_.CreateCompilers();

  bool ok = false;
  if (compileFirst) {
    ok = tn || model_.CompileFuncs();
    if (!ok) dialogs_.ShowWarning("Nhap sai cong thuc ham so", "Thong bao loi");
  }
  if (!ok) ok = (tn ? dialogs_.ShowTNDialog() : dialogs_.ShowFuncDialog()) == mrOk;
  if (model_.SaveAsNew) index = 0;

  bool stored = false;
  if (ok) {
    const int32_t kind = f.FuncType;
    int32_t& count = model_.CountOf(kind);
    if (index == 0 && count >= MaxFuncs) {
      dialogs_.ShowWarning(kListFull, kNotice);
    } else if (model_.StoreFunc(model_.ListOf(kind), index, count)) {
      stored = true;
      if (IsKind2D(kind))
        SwitchTo2D();
      else
        SwitchTo3D();
    }
  }
  if (!stored) {
    // The record is discarded: what it holds is its own (an edit works on copies).
    f.DestroyCompilers();
    if (tn) f.ClearTNData();
  }
  return stored;
}

void TFuncDriver::LoadFuncList(std::string_view text) {
  TFuncFileRecords records;
  if (!ReadFuncListText(text, records)) {
    dialogs_.ShowWarning(BadFuncFileText, "Error");
    return;
  }
  // A section may hold records of either list: each goes to its kind's.
  int32_t more2D = 0, more3D = 0;
  for (const std::vector<TFuncRec>* section : {&records.Section2D, &records.Section3D})
    for (const TFuncRec& record : *section) ++(IsKind2D(record.FuncType) ? more2D : more3D);
  if (model_.Count2D + more2D > MaxFuncs || model_.Count3D + more3D > MaxFuncs) {
    dialogs_.ShowWarning(kListFull, kNotice);
    return;
  }
  // Every store refills the list box, so it is not cleared first: a file
  // whose records are all given up leaves it showing the lists.
  model_.IsNewFunc = true;
  for (std::vector<TFuncRec>* section : {&records.Section2D, &records.Section3D}) {
    for (TFuncRec& record : *section) {
      model_.CurFunc = std::move(record);
      AddOrEditFunc(0, true);
    }
  }
}

void TFuncDriver::EditClicked(int itemIndex) {
  const TFuncRec* entry = model_.CurEntry(itemIndex);
  if (!entry) return;
  // The entry keeps its arrays and compilers until the store replaces it: the
  // view goes on drawing it while the dialog works on the copy.
  model_.CurFunc = entry->CopyForEdit();
  model_.IsNewFunc = false;
  if (AddOrEditFunc(itemIndex + 1, false)) view_.FuncEdited();
}

void TFuncDriver::DeleteClicked(int itemIndex) {
  if (model_.DeleteFunc(*model_.CurList, itemIndex + 1, *model_.CurCount)) view_.FuncDeleted();
}

void TFuncDriver::CheckClicked(int itemIndex, bool checked) {
  TFuncRec* entry = model_.CurEntry(itemIndex);
  if (!entry) return;
  entry->Shown = checked;
  view_.RepaintView();
}

void TFuncDriver::SwitchTo2D() {
  viewState_.Is2DMode = true;
  model_.SetCurrentList(true);
  view_.ShowModeOptions(ModeOptions(true));
  // The scene objects keep their visibility: the plane's background covers them.
  FillFuncList();
  view_.RepaintView();
}

void TFuncDriver::SwitchTo3D() {
  viewState_.Is2DMode = false;
  model_.SetCurrentList(false);
  view_.ShowModeOptions(ModeOptions(false));
  view_.ShowSpaceObjects();
  FillFuncList();
  view_.RepaintView();
}

void TFuncDriver::FillFuncList() {
  std::vector<TFuncListItem> items;
  for (int i = 1; i <= *model_.CurCount; ++i)
    items.push_back({(*model_.CurList)[i].FuncName, (*model_.CurList)[i].Shown});
  view_.FillFuncList(items);
}

}  // namespace kx
