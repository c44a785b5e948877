// The main window's function commands apart from its windows: Add, Edit,
// Delete, the list box's check marks, and the add/edit driver that the
// function-list reader uses too. The dialogs they open and what they ask of
// the main window sit behind the two interfaces below; the main window
// implements them, tests use fakes.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "app/model/MainU_Funcs.h"
#include "app/model/MainU_View.h"
#include "framework/core/ModalResult.h"

namespace kx {

// The modal windows of the commands. Each dialog reads and writes the model's
// CurFunc and reports through its modal result (mrOk accepted).
class TFuncDialogs {
 public:
  virtual ~TFuncDialogs() = default;
  // The kind chooser: sets CurFunc's kind, and a template's ranges and formulas.
  virtual TModalResult ShowKindChooser() = 0;
  // The formula dialog prepared for CurFunc (kinds 1 to 8); its OK compiles
  // through CompileFuncs and closes only when that succeeds.
  virtual TModalResult ShowFuncDialog() = 0;
  // The experimental-data dialog prepared for CurFunc (kind 9).
  virtual TModalResult ShowTNDialog() = 0;
  // A message box owned by the main window: warning icon, one OK button.
  virtual void ShowWarning(const std::string& text, const std::string& caption) = 0;
};

// One item of the function list box: the entry's name and its check mark.
struct TFuncListItem {
  std::string Text;
  bool Checked;
  bool operator==(const TFuncListItem&) const = default;
};

// What the commands ask of the main window.
class TFuncView {
 public:
  virtual ~TFuncView() = default;
  // The option boxes below the viewer take the mode's captions, and the
  // numbers box is enabled as the mode says.
  virtual void ShowModeOptions(const TModeOptions& options) = 0;
  // Entering 3D: the grids and axes show as their check boxes say, and the
  // axis-ratio window, a 2D tool, hides.
  virtual void ShowSpaceObjects() = 0;
  // The list box is cleared and shows these items in order.
  virtual void FillFuncList(const std::vector<TFuncListItem>& items) = 0;
  // An edited entry was stored: the evaluation panel, when open, recomputes
  // its values and integrals without re-reading its inputs.
  virtual void FuncEdited() = 0;
  // The selected entry was deleted: the list box drops its selected item, the
  // evaluation panel sets up again for its target, the view repaints.
  virtual void FuncDeleted() = 0;
  virtual void RepaintView() = 0;
};

class TFuncDriver {
 public:
  TFuncDriver(TFuncModel& model, TViewState& viewState, TFuncDialogs& dialogs, TFuncView& view)
      : model_(model), viewState_(viewState), dialogs_(dialogs), view_(view) {}

  // Add: resets CurFunc, lets the user choose its kind, gives it its default
  // name and colour and goes on through AddOrEditFunc. A full list refuses.
  void AddClicked();
  // Edit of list-box item itemIndex (0-based): CurFunc becomes a copy of the
  // entry, then AddOrEditFunc replaces the entry. Outside the list: nothing.
  void EditClicked(int itemIndex);
  // Delete of list-box item itemIndex, without confirmation.
  void DeleteClicked(int itemIndex);
  // The check mark of list-box item itemIndex shows or hides its entry.
  void CheckClicked(int itemIndex, bool checked);
  // The mode switches, also run after every store: each selects its mode's
  // list, sets the option boxes, refills the list box from the list and
  // repaints.
  void SwitchTo2D();
  void SwitchTo3D();

  // Gives CurFunc fresh compilers, has it accepted and stores it: index 0
  // appends, i replaces entry i (both append when the dialog asks to save as
  // new). With compileFirst the record is compiled unchanged and its dialog
  // opens only when that fails. True when the record was stored; otherwise
  // CurFunc's compilers and data arrays are released and the lists are as
  // they were.
  bool AddOrEditFunc(int index, bool compileFirst);

  // Adds the functions of a function-list file's text behind the entries of
  // both lists, each compiled as it is: a record whose formulas do not
  // compile opens its dialog. A text that does not read, or whose records
  // would take a list past MaxFuncs, is refused with one message and adds
  // nothing.
  void LoadFuncList(std::string_view text);

 private:
  void FillFuncList();

  TFuncModel& model_;
  TViewState& viewState_;
  TFuncDialogs& dialogs_;
  TFuncView& view_;
};

}  // namespace kx
