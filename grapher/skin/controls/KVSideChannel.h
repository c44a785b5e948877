// The side channel: a panel docked to the left or right edge of its parent
// that folds to a narrow side bar and slides out to its full width when the
// mouse moves over the bar (or the bar is clicked), slides back once the
// mouse has left it, and can be pinned open from its title strip.
//
// The slides grow or shrink the panel 15 pixels at a time and let the
// application handle its messages between the steps, so anything may happen
// meanwhile, the channel's own end included: a slide stops at once when the
// channel is freed under it. Slides that a child's mouse message asks for
// start from the channel's own message queue, after that message is done,
// so no child is still handling its message when the channel goes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "framework/windows/ExtCtrls.h"
#include "framework/windows/ToolBars.h"

namespace kx {

class TkvButton;

// Scoped: the title bar's section alignment has enumerators of the same
// names, and a file may include both. Form resources name them without the
// scope.
enum class TkvSideChannelAlign { kvLeft, kvRight };
KX_ENUM_NAMES(TkvSideChannelAlign, "kvLeft", "kvRight")
enum TkvSideChannelPopupMode { kvMouseOn, kvMouseClick };
KX_ENUM_NAMES(TkvSideChannelPopupMode, "kvMouseOn", "kvMouseClick")

class TkvSideChannel : public TCustomPanel {
  KX_CLASS(TkvSideChannel, TCustomPanel)
 public:
  explicit TkvSideChannel(TComponent* owner);
  ~TkvSideChannel() override;

  // The width when out, published as "Width". At run time the width on
  // screen is the side bar's while collapsed and this one while out.
  int ExpandedWidth() const { return expandedWidth_; }
  void SetExpandedWidth(int width);
  int SideBarWidth() const;
  // Collapses the channel at once at run time.
  void SetSideBarWidth(int width);
  TColor SideBarColor() const;
  // The side bar's and the title strip's colour.
  void SetSideBarColor(TColor color);
  // The title shown in the strip while the channel is out.
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& caption);
  // The title's alignment in the strip.
  TAlignment Alignment() const;
  void SetAlignment(TAlignment alignment);
  TkvSideChannelAlign Align() const { return align_; }
  void SetAlign(TkvSideChannelAlign align);
  // Pinned open: slides out and presses the pin down, or lets the pin up
  // and slides in at once.
  bool StayOn() const { return stayOn_; }
  void SetStayOn(bool on);
  TkvSideChannelPopupMode PopupMode() const { return popupMode_; }
  void SetPopupMode(TkvSideChannelPopupMode mode) { popupMode_ = mode; }
  // Slides in one step instead of 15-pixel steps.
  bool QuickMove() const { return quickMove_; }
  void SetQuickMove(bool on) { quickMove_ = on; }

  // Out, or back to the side bar's width; `quick` in one step. False when
  // the channel was freed meanwhile: the caller must not touch it then.
  bool SlideOut(bool quick);
  bool SlideIn(bool quick);
  bool Collapsed() const;
  bool Sliding() const { return sliding_; }

  TPanel* SideBar() const { return sideBar_; }
  TPanel* TitleStrip() const { return titleStrip_; }
  TSpeedButton* PinButton() const { return pinButton_; }
  TkvButton* BarButton() const { return barButton_; }
  // Watches the cursor while the channel is out and not pinned.
  TTimer* SlideTimer() const { return slideTimer_; }

  // What runs after each step of a slide; by default the application
  // handles its pending messages. Tests step through slides with it.
  using TSlidePump = std::function<void()>;
  void SetSlidePump(TSlidePump pump) { slidePump_ = std::move(pump); }

  TNotifyEvent OnPop;
  TNotifyEvent OnPush;

 protected:
  void Resize() override;
  bool CanResize(int& width, int& height) override;
  void WndProc(TMessage& m) override;

 private:
  enum class TRequest { Hover, Click };
  // Runs the slide of a request taken from the channel's queue.
  void SlideOnRequest(TRequest request);
  void PostRequest(TRequest request);
  void HoverRequested();
  void Tick();
  void PinClicked();
  void PlacePinButton();
  void LoadPinGlyph(const char* name);
  bool Designing() const { return ComponentState().Contains(csDesigning); }
  // Runs the pump; false when the channel was freed meanwhile.
  bool PumpStillAlive(const TSlidePump& pump);

  TPanel* sideBar_ = nullptr;
  TPanel* titleStrip_ = nullptr;
  TSpeedButton* pinButton_ = nullptr;
  TkvButton* barButton_ = nullptr;
  TTimer* slideTimer_ = nullptr;
  int expandedWidth_;
  bool sliding_ = false;
  std::string caption_;
  TkvSideChannelAlign align_ = TkvSideChannelAlign::kvLeft;
  bool stayOn_ = false;
  TkvSideChannelPopupMode popupMode_ = kvMouseOn;
  bool quickMove_ = false;
  TSlidePump slidePump_;
  // False once the channel is freed; a slide holds a copy across its pumps.
  std::shared_ptr<bool> alive_ = std::make_shared<bool>(true);
};

}  // namespace kx
