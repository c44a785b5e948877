// The grapher's main window: the viewer with its scene, the function list
// and its buttons, the navigation and option controls below the view, and
// the docked evaluation panel at the right edge, all from its form resource.
// The window is the driver's view and opens the driver's dialogs; the model
// and the view state it shows are the program's one FuncModel and ViewState.
#pragma once

#include <memory>
#include <string>

#include "app/MainU_Driver.h"
#include "app/MainU_Options.h"
#include "framework/windows/Forms.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

class TGLStageViewer;
class TGLBaseSceneObject;
class TkvButton;
class TkvCheckBox;
class TkvRadioButton;
class TkvCheckListBox;
class TkvForm;

class TMainForm : public TForm, public TFuncDialogs, public TFuncView {
  KX_CLASS(TMainForm, TForm)
 public:
  explicit TMainForm(TComponent* owner);
  ~TMainForm() override;

  // The window's own events.
  void FormCreate(TObject* sender);
  void FormResize(TObject* sender);
  void FormDestroy(TObject* sender);

  // The mode switch, also run by the driver after every store.
  void Btn2DClick(TObject* sender);
  void Btn3DClick(TObject* sender);
  // The function list and its buttons.
  void BtnAddFuncClick(TObject* sender);
  void BtnEditFuncClick(TObject* sender);
  void BtnDelFuncClick(TObject* sender);
  void FuncListBoxClickCheck(TObject* sender);
  void FuncListBoxDrawItem(TWinControl* control, int index, RECT rect, TOwnerDrawState state);
  // Loads the function list named on the command line.
  void btnLoadClick(TObject* sender);

  // TFuncDialogs: the chooser and the kind's dialogs, and warnings owned by
  // this window.
  TModalResult ShowKindChooser() override;
  TModalResult ShowFuncDialog() override;
  TModalResult ShowTNDialog() override;
  void ShowWarning(const std::string& text, const std::string& caption) override;

  // TFuncView.
  void ShowModeOptions(const TModeOptions& options) override;
  void ShowSpaceObjects() override;
  void FillFuncList(const std::vector<TFuncListItem>& items) override;
  void FuncEdited() override;
  void FuncDeleted() override;
  void RepaintView() override;

  // The dialogs the function commands open: this window's own unless
  // another set is given (tests give fakes); nullptr gives the own back.
  void UseDialogs(TFuncDialogs* dialogs);
  TFuncDriver& Driver() { return *driver_; }
  TGLStageViewer* Viewer() const { return viewer_; }
  // The option boxes' check states, as the renderers and navigation read them.
  const TDisplayOptions& DisplayOptions();

 private:
  template <class T>
  T* Control(const char* name) const;
  void FindControls();

  std::unique_ptr<TFuncDriver> driver_;
  TkvForm* frame_ = nullptr;
  TGLStageViewer* viewer_ = nullptr;
  TkvCheckListBox* funcList_ = nullptr;
  TkvCheckBox* cbShowNum_ = nullptr;
  TkvCheckBox* cbBkGround_ = nullptr;
  TkvCheckBox* cbShowLine_ = nullptr;
  TkvCheckBox* cbShowGrid_ = nullptr;
  TkvRadioButton* raKDuong_ = nullptr;
  TkvRadioButton* raKDiem_ = nullptr;
  TDisplayOptions options_;
};

// The program's main window, set by the program entry.
extern TMainForm* MainForm;

// The screen font file beside the program: its face "Kurvexsans" draws the
// TCVN3 texts of every window.
std::string ScreenFontPath();

}  // namespace kx
