// The controls of the quiz tool's screens, over the Win32 controls (wide
// calls only, so every text is Unicode). A control object is a field of its
// screen and outlives the screen's unloading; Create makes its window afresh
// on every load, in its initial state. Positions and sizes are in twips.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

namespace tq {

class Form;

class Control {
 public:
  Control() = default;
  virtual ~Control();
  Control(const Control&) = delete;
  Control& operator=(const Control&) = delete;

  HWND Hwnd() const { return wnd_; }
  bool Exists() const { return wnd_ != nullptr; }

  void Move(int left, int top, int width, int height);
  int Left() const { return left_; }
  int Top() const { return top_; }
  int Width() const { return width_; }
  int Height() const { return height_; }
  void SetVisible(bool visible);
  bool Visible() const;
  void SetEnabled(bool enabled);
  bool Enabled() const;
  void SetFocus();

  // Background of labels, frames, check and option boxes and text boxes.
  COLORREF BackColor() const { return backColor_; }
  void SetBackColor(COLORREF color);

  // Place in an indexed group; -1 for a control of its own.
  int Index() const { return index_; }
  void SetIndex(int index) { index_ = index; }

  // Called by the screen.
  virtual void Command(int /*code*/) {}
  virtual bool Notify(NMHDR* /*header*/) { return false; }
  virtual void DrawItem(const DRAWITEMSTRUCT& /*item*/) {}
  HBRUSH ColorFor(HDC dc);
  void Detach();

 protected:
  void Make(Form& form, const wchar_t* cls, const std::wstring& text, DWORD style, DWORD exStyle, int left, int top,
            int width, int height);
  // Texts through the window; raw, without events.
  std::wstring WindowText() const;
  void SetWindowTextRaw(const std::wstring& text);
  virtual void Detached() {}

  HWND wnd_ = nullptr;
  Form* form_ = nullptr;

 private:
  int left_ = 0, top_ = 0, width_ = 0, height_ = 0;
  int index_ = -1;
  bool customBack_ = false;
  COLORREF backColor_ = 0;
  HBRUSH brush_ = nullptr;
};

class Button : public Control {
 public:
  void Create(Form& form, const std::wstring& caption, int left, int top, int width, int height);
  std::wstring Caption() const { return WindowText(); }
  void SetCaption(const std::wstring& caption) { SetWindowTextRaw(caption); }
  void Click();
  std::function<void()> OnClick;
  void Command(int code) override;
};

// A text that can be clicked (a colour swatch, for example).
class Label : public Control {
 public:
  void Create(Form& form, const std::wstring& caption, int left, int top, int width, int height);
  std::wstring Caption() const { return WindowText(); }
  void SetCaption(const std::wstring& caption) { SetWindowTextRaw(caption); }
  std::function<void()> OnClick;
  void Command(int code) override;
};

class CheckBox : public Control {
 public:
  void Create(Form& form, const std::wstring& caption, int left, int top, int width, int height);
  void SetCaption(const std::wstring& caption) { SetWindowTextRaw(caption); }
  // 1 checked, 0 not.
  int Value() const;
  void SetValue(int value);
  std::function<void()> OnClick;
  void Command(int code) override;
};

class OptionButton : public Control {
 public:
  // The first button of a group starts a new group of exclusive choices.
  void Create(Form& form, const std::wstring& caption, bool firstOfGroup, int left, int top, int width, int height);
  void SetCaption(const std::wstring& caption) { SetWindowTextRaw(caption); }
  bool Value() const;
  void SetValue(bool value);
  std::function<void()> OnClick;
  void Command(int code) override;
};

class Frame : public Control {
 public:
  void Create(Form& form, const std::wstring& caption, int left, int top, int width, int height);
  void SetCaption(const std::wstring& caption) { SetWindowTextRaw(caption); }
};

class TextBox : public Control {
 public:
  void Create(Form& form, bool multiLine, int left, int top, int width, int height);
  std::wstring Text() const { return WindowText(); }
  // Raises one change event at once, even when the text stays the same.
  void SetText(const std::wstring& text);
  int SelStart() const;
  int SelLength() const;
  std::wstring SelText() const;
  void Select(int start, int length);
  void SetReadOnly(bool readOnly);
  // The Tab key types a tab character into the box instead of moving on
  // (Shift+Tab still moves back). For the box's current window.
  void TakeTab();
  std::function<void()> OnChange;
  std::function<void()> OnGotFocus;
  void Command(int code) override;

 private:
  static LRESULT CALLBACK TabProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp, UINT_PTR id, DWORD_PTR data);
  bool setting_ = false;
};

// The list of texts of a list box or combo box.
class ListControl : public Control {
 public:
  void AddItem(const std::wstring& text);
  void RemoveItem(int index);
  void Clear();
  int ListCount() const;
  std::wstring List(int index) const;
  // -1 when nothing is chosen.
  int ListIndex() const;
  void SetListIndex(int index);
  std::function<void()> OnClick;

 protected:
  // The messages of the native control.
  struct Messages {
    UINT add, remove, reset, count, textLength, text, getSelection, setSelection, selectionChanged;
  };
  explicit ListControl(const Messages& messages) : messages_(messages) {}
  void Command(int code) override;

 private:
  LRESULT Send(UINT msg, WPARAM wp = 0, LPARAM lp = 0) const;
  Messages messages_;
};

class ListBox : public ListControl {
 public:
  ListBox();
  void Create(Form& form, int left, int top, int width, int height);
};

// A drop-down list to choose from.
class ComboBox : public ListControl {
 public:
  ComboBox();
  void Create(Form& form, int left, int top, int width, int height);
};

// A number box with up and down arrows.
class UpDown : public Control {
 public:
  void Create(Form& form, int left, int top, int width, int height, int minimum, int maximum);
  int Value() const;
  void SetValue(int value);
  std::function<void()> OnChange;
  void Command(int code) override;

 private:
  void Detached() override;
  HWND arrows_ = nullptr;
  int minimum_ = 0, maximum_ = 0;
};

// A picture stretched over its box, or the box's colour when it has none.
class Picture : public Control {
 public:
  ~Picture() override;
  void Create(Form& form, int left, int top, int width, int height);
  // Takes the bitmap; the control deletes it.
  void SetPicture(HBITMAP bitmap);
  std::function<void()> OnClick;
  void Command(int code) override;
  void DrawItem(const DRAWITEMSTRUCT& item) override;

 private:
  HBITMAP bitmap_ = nullptr;
};

// A timer of its screen (one tick a second by default); it stops when the
// screen unloads. Tests drive it by Tick.
class Timer {
 public:
  ~Timer();
  void Create(Form& form, UINT intervalMs = 1000);
  void SetEnabled(bool enabled);
  bool Enabled() const { return enabled_; }
  void Tick();
  std::function<void()> OnTimer;
  void Detach();

 private:
  Form* form_ = nullptr;
  UINT interval_ = 1000;
  bool enabled_ = false;
};

// Controls used as an indexed group: the group's handler gets the index first.
template <class T>
class ControlGroup {
 public:
  explicit ControlGroup(size_t count) : items_(count) {
    for (size_t k = 0; k < count; ++k) items_[k].SetIndex(static_cast<int>(k));
  }
  T& operator[](size_t k) { return items_.at(k); }
  const T& operator[](size_t k) const { return items_.at(k); }
  size_t Count() const { return items_.size(); }
  // Binds the click of every member to one handler taking the index.
  void OnClick(const std::function<void(int)>& handler) {
    for (T& item : items_) {
      const int index = item.Index();
      item.OnClick = [handler, index] { handler(index); };
    }
  }

 private:
  std::vector<T> items_;
};

}  // namespace tq
