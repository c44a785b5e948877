// The grapher's main window: the viewer with its scene, the function list
// and its buttons, the navigation and option controls below the view, and
// the docked evaluation panel at the right edge, all from its form resource.
// The window is the driver's view and opens the driver's dialogs; the model
// and the view state it shows are the program's one FuncModel and ViewState.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "app/model/MainU_Driver.h"
#include "app/model/MainU_Options.h"
#include "app/model/MainU_Search.h"
#include "app/plot/MainU_Capture.h"
#include "app/plot/MainU_Navigation.h"
#include "app/plot/MainU_Render3D.h"
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
class TkvPageControl;

class TMainForm : public TForm, public TFuncDialogs, public TFuncView, public TNavView {
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
  void btnAboutClick(TObject* sender);
  // Save writes both lists to a file the save dialog gives; Load adds the
  // functions of a file the open dialog gives.
  void btnSaveClick(TObject* sender);
  void btnLoadClick(TObject* sender);
  // Adds the functions of a function-list file, as Load does; start-up
  // loads the file named on the command line through it.
  void LoadFuncFile(const std::string& fileName);
  // The file dialogs of Save and Load: each sets the name and says whether
  // the user chose a file. Tests put their own in place.
  std::function<bool(std::string&)> ChooseSaveFile, ChooseLoadFile;

  // The viewer's post-render event: the plane view over the scene, or the
  // space functions inside it.
  void FormPaint(TObject* sender);
  // Panning, zooming and orbiting.
  void btnUpClick(TObject* sender);
  void btnDownClick(TObject* sender);
  void btnLeftClick(TObject* sender);
  void btnRightClick(TObject* sender);
  void btnZoomInClick(TObject* sender);
  void BtnZoomOutClick(TObject* sender);
  void FormMouseWheelUp(bool shift);
  void FormMouseWheelDown(bool shift);
  void GLStageViewer1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void GLStageViewer1MouseMove(TObject* sender, TShiftState shift, int x, int y);
  void GLStageViewer1MouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void GLStageViewer1DblClick(TObject* sender);
  // The display options.
  void cbShowNumClick(TObject* sender);
  void cbShowLineClick(TObject* sender);
  void cbShowGridClick(TObject* sender);
  void cbBkGroundClick(TObject* sender);
  void raKDuongClick(TObject* sender);
  // The capture button: left click for the export dialog, right click saves.
  void btnCaptureClick(TObject* sender);
  void btnCaptureMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void btnCaptureMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  // The evaluation panel: a left click on btnEval docks it, a right click
  // floats it; its close and float buttons; any of its input edits changed;
  // a page chosen.
  void btnEvalClick(TObject* sender);
  void btnEvalMouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void btnEvalMouseUp(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);
  void btnEvalOffClick(TObject* sender);
  void btnEvalFormClick(TObject* sender);
  void edEvalVar1Change(TObject* sender);
  void pgEvalTabActive(TObject* sender, int index);
  // The integral page of the panel shown now is active.
  bool EvalIntegralPageActive() const;
  // The searches from the panel's buttons and the component menus; a click
  // on the view, the frame or the panel's pages stops a running search.
  void btnEvalZClick(TObject* sender);
  void btnEvalMinClick(TObject* sender);
  void btnEvalMaxClick(TObject* sender);
  void StartExtremumSearch(bool findMin);
  void Ham11Click(TObject* sender);
  void Ham21Click(TObject* sender);
  void Ham31Click(TObject* sender);
  void Ham12Click(TObject* sender);
  void Ham22Click(TObject* sender);
  void Ham32Click(TObject* sender);
  void GLStageViewer1Click(TObject* sender);
  // Closing while a search runs stops it and closes when it has ended.
  void FormCloseQuery(TObject* sender, bool& canClose);
  // The searches report to this host instead of the window's own (tests
  // give a fake); nullptr gives the own back.
  void UseSearchHost(TSearchHost* host);
  TSearchHost& OwnSearchHost() { return ownSearchHost_; }

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
  // TFuncView and TNavView: the viewer paints a new frame.
  void RepaintView() override;

  // TNavView.
  void NotifySceneChange() override;
  void ShowScales(const std::string& magX, const std::string& magY) override;
  void ShowAxisArrows(bool visible) override;
  void ShowGrids(bool visible) override;

  // The dialogs the function commands open: this window's own unless
  // another set is given (tests give fakes); nullptr gives the own back.
  void UseDialogs(TFuncDialogs* dialogs);
  TFuncDriver& Driver() { return *driver_; }
  TGLStageViewer* Viewer() const { return viewer_; }
  // The option boxes' check states, as the renderers and navigation read them.
  const TDisplayOptions& DisplayOptions();
  TViewNavigator& Navigator() { return *navigator_; }
  // The scales the last zoom step gave the axis-ratio window, as whole pixels.
  const std::string& MagX() const { return magX_; }
  const std::string& MagY() const { return magY_; }

 protected:
  void WndProc(TMessage& m) override;

 private:
  template <class T>
  T* Control(const char* name) const;
  void FindControls();
  void MakeViewTools();
  void MakeFileDialogs();
  // The marker sphere where the 3D frame puts it.
  void PlaceMarker(const TSpaceMarker& marker);
  // The window's search host: the panel's evaluation, an immediate repaint,
  // the application's message pump, the screen cursor and message boxes.
  class SearchHost : public TSearchHost {
   public:
    explicit SearchHost(TMainForm& form) : form_(form) {}
    bool Evaluate(bool shown) override;
    void RepaintView() override;
    void ProcessMessages() override;
    void SetHourglass(bool busy) override;
    void ShowSearchMessage(const std::string& text) override;
    void SearchEnded() override;

   private:
    TMainForm& form_;
  };
  using THandler = void (TMainForm::*)(TObject*);
  TSearch Search();
  // The target of a search, or nullptr (also while a search runs, which the
  // click stops instead).
  const TFuncRec* SearchTarget();
  // The component menu of the target's mode runs these handlers.
  void PointComponentMenus(THandler first, THandler second, THandler third);
  void PopupComponentMenu(const char* buttonName);
  void RunComponentSearch(int component, bool root);
  // Shows or hides the docked evaluation panel's controls.
  void ShowDockedPanel(bool shown);
  // Hides the docked panel's controls and narrows the window by its width.
  void UndockEvalPanel();

  std::unique_ptr<TFuncDriver> driver_;
  // Where Save and Load show their messages: the driver's dialogs.
  TFuncDialogs* fileMessages_ = this;
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
  std::unique_ptr<TSceneNavCamera> camera_;
  std::unique_ptr<TViewNavigator> navigator_;
  std::unique_ptr<TViewerCaptureSource> captureSource_;
  std::unique_ptr<TCaptureButton> capture_;
  std::string magX_, magY_;
  // The last mouse button pressed on btnEval was the right one.
  bool evalRightButton_ = false;
  SearchHost ownSearchHost_{*this};
  TSearchHost* searchHost_ = &ownSearchHost_;
  // The window was asked to close while a search ran.
  bool closeAfterSearch_ = false;
};

// The program's main window, set by the program entry.
extern TMainForm* MainForm;

// The screen font file beside the program: its face "Kurvexsans" draws the
// TCVN3 texts of every window.
std::string ScreenFontPath();

}  // namespace kx
