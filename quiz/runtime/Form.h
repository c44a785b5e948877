// A screen of the quiz tool: a top-level window loaded on its first show,
// shown modeless, unloaded on request (the screen may refuse). The screen
// object and its fields live for the whole run; its window and controls are
// made afresh on every load. Positions and sizes are in twips.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "runtime/Menu.h"

namespace tq {

class Control;
class Timer;

// 1440 twips to an inch.
int TwipsPerPixelX();
int TwipsPerPixelY();
int PixelsFromTwipsX(int twips);
int PixelsFromTwipsY(int twips);

class Form {
 public:
  Form(std::wstring caption, int widthTwips, int heightTwips);
  virtual ~Form();
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;

  // Loads the screen when needed (its controls, then Form_Load), shows and
  // activates it. When loading throws, the window and controls made so far
  // are destroyed, the screen counts as unloaded, and the exception goes on
  // to the caller.
  void Show();
  void Hide();
  // Asks Form_Unload; when it does not cancel, closes the window and its
  // controls. True when the screen is unloaded afterwards.
  bool Unload();
  bool Loaded() const { return wnd_ != nullptr; }
  bool Visible() const { return wnd_ && IsWindowVisible(wnd_); }
  HWND Hwnd() const { return wnd_; }

  std::wstring Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  COLORREF BackColor() const { return backColor_; }
  void SetBackColor(COLORREF color);
  // Outer size and place in twips.
  void Move(int left, int top, int width, int height);
  int Width() const { return width_; }
  int Height() const { return height_; }

  // The screen's menu bar, built when the window is made (call from CreateControls).
  void SetMenuBar(const std::vector<MenuItem>& items);
  // The bar's named items while the screen is loaded (see Menu).
  void SetMenuEnabled(const std::wstring& name, bool enabled);
  bool MenuEnabled(const std::wstring& name) const { return menu_.Enabled(name); }
  void SetMenuCaption(const std::wstring& name, const std::wstring& caption);
  std::wstring MenuCaption(const std::wstring& name) const { return menu_.Caption(name); }
  // Chooses a named item as a click on it does: through the window's command.
  void ClickMenu(const std::wstring& name);
  HFONT Font() const { return font_; }

  static Form* FromWindow(HWND wnd);
  bool TranslateShortcut(MSG& msg);

  // Used by the controls of this screen.
  void Attach(Control* control);
  void Attach(Timer* timer);
  void Forget(Control* control);
  void Forget(Timer* timer);
  UINT NextControlId() { return nextId_++; }

 protected:
  // Makes the controls of a freshly made window.
  virtual void CreateControls() {}
  virtual void Form_Load() {}
  // Setting cancel keeps the screen loaded.
  virtual void Form_Unload(bool& /*cancel*/) {}

 private:
  static LRESULT CALLBACK WindowProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT Handle(UINT msg, WPARAM wp, LPARAM lp);
  void Load();
  void Destroy();
  Control* ControlOf(HWND wnd) const;

  std::wstring caption_;
  int left_ = -1;
  int top_ = -1;
  int width_;
  int height_;
  COLORREF backColor_;
  HWND wnd_ = nullptr;
  HBRUSH brush_ = nullptr;
  HFONT font_ = nullptr;
  Menu menu_;
  std::vector<Control*> controls_;
  std::vector<Timer*> timers_;
  bool unloading_ = false;
  UINT nextId_ = 100;
};

}  // namespace tq
