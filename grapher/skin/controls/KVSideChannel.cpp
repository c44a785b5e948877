#include "skin/controls/KVSideChannel.h"

#include <algorithm>

#include "framework/windows/Forms.h"
#include "skin/controls/KVButton.h"
#include "skin/controls/KVThemesControls.h"
#include "skin/look/KVPublic.h"

namespace kx {

KX_PUBLISH(TkvSideChannel) {
  p.Property("Width", &TkvSideChannel::ExpandedWidth, &TkvSideChannel::SetExpandedWidth);
  p.Color("SideBarColor", &TkvSideChannel::SideBarColor, &TkvSideChannel::SetSideBarColor);
  p.Property("SideBarWidth", &TkvSideChannel::SideBarWidth, &TkvSideChannel::SetSideBarWidth);
  p.Property("Caption", &TkvSideChannel::Caption, &TkvSideChannel::SetCaption);
  p.Property("Alignment", &TkvSideChannel::Alignment, &TkvSideChannel::SetAlignment).Default(taCenter);
  p.Property("Align", &TkvSideChannel::Align, &TkvSideChannel::SetAlign);
  p.Property("StayOn", &TkvSideChannel::StayOn, &TkvSideChannel::SetStayOn);
  p.Property("PopupMode", &TkvSideChannel::PopupMode, &TkvSideChannel::SetPopupMode);
  p.Property("QuickMove", &TkvSideChannel::QuickMove, &TkvSideChannel::SetQuickMove);
  p.Field("OnPush", &TkvSideChannel::OnPush);
  p.Field("OnPop", &TkvSideChannel::OnPop);
}

namespace {

struct SideChannelModule {
  SideChannelModule() { RegisterClasses({&TkvSideChannel::StaticClass()}); }
} sideChannelModule;

// A slide asked for by a child's mouse message; WParam is the request.
constexpr UINT CM_SLIDEREQUEST = CM_BASE + 0x200;
constexpr int kSlideStep = 15;
// An open channel refuses to be made narrower than this by hand.
constexpr int kMinOpenWidth = 50;

}  // namespace

TkvSideChannel::TkvSideChannel(TComponent* owner) : TCustomPanel(owner), expandedWidth_(Width()) {
  sideBar_ = new TPanel(this);
  titleStrip_ = new TPanel(this);
  pinButton_ = new TSpeedButton(this);
  barButton_ = new TkvButton(this);
  const TMouseMoveEvent hover([this](TObject*, TShiftState, int, int) { HoverRequested(); });
  const TNotifyEvent click([this](TObject*) { PostRequest(TRequest::Click); });

  titleStrip_->SetParent(this);
  titleStrip_->SetAlign(alTop);
  titleStrip_->SetHeight(16);
  titleStrip_->SetBevelOuter(bvNone);
  titleStrip_->SetBevelInner(bvNone);
  titleStrip_->OnMouseMove = hover;
  titleStrip_->OnResize = TNotifyEvent([this](TObject*) { PlacePinButton(); });

  sideBar_->SetParent(this);
  sideBar_->SetAlign(alLeft);
  sideBar_->SetWidth(10);
  sideBar_->SetBevelOuter(bvNone);
  sideBar_->SetBevelInner(bvNone);
  sideBar_->OnMouseMove = hover;
  sideBar_->OnClick = click;

  pinButton_->SetParent(titleStrip_);
  pinButton_->SetFlat(true);
  pinButton_->SetBounds(0, 0, 20, 16);
  pinButton_->SetGroupIndex(1);
  pinButton_->SetAllowAllUp(true);
  LoadPinGlyph("SIDECHANNEL_BTN_NOONTOP");
  PlacePinButton();
  pinButton_->OnClick = TNotifyEvent([this](TObject*) { PinClicked(); });

  barButton_->SetParent(sideBar_);
  barButton_->SetBounds(0, 0, barButton_->Width(), barButton_->Height());
  barButton_->SetTabStop(false);
  barButton_->SetUIStyle(TkvUIStyle::Custom);
  barButton_->SetPicNormalResName("SIDECHANNEL_BAR_NORMAL");
  barButton_->SetPicMouseOnResName("SIDECHANNEL_BAR_MOUSEON");
  barButton_->SetPicMouseDownResName("SIDECHANNEL_BAR_MOUSEON");
  barButton_->SetAutoSize(true);
  barButton_->OnMouseMove = hover;
  barButton_->OnClick = click;

  slideTimer_ = new TTimer(this);
  slideTimer_->SetEnabled(false);
  slideTimer_->SetInterval(500);
  slideTimer_->OnTimer = TNotifyEvent([this](TObject*) { Tick(); });

  sliding_ = false;
  SetBevelOuter(bvNone);
  SetAlign(TkvSideChannelAlign::kvLeft);
  TControl::SetText(" ");
  SetSideBarColor(clBtnFace);
  popupMode_ = kvMouseOn;
  quickMove_ = false;
  SetColor(FormSkinColor(owner));
  SetSideBarColor(Color());
  if (!Designing()) SlideIn(true);
}

TkvSideChannel::~TkvSideChannel() {
  // A slide pumping messages under this call stops when it sees this.
  *alive_ = false;
  // The parts go first, while the channel is whole; the resize handlers
  // that their going may set off find them gone.
  sideBar_ = nullptr;
  titleStrip_ = nullptr;
  pinButton_ = nullptr;
  barButton_ = nullptr;
  slideTimer_ = nullptr;
  DestroyComponents();
}

void TkvSideChannel::SetExpandedWidth(int width) {
  expandedWidth_ = width;
  if (Designing()) SetWidth(width);
}

int TkvSideChannel::SideBarWidth() const { return sideBar_->Width(); }

void TkvSideChannel::SetSideBarWidth(int width) {
  sideBar_->SetWidth(width);
  if (!Designing()) SlideIn(true);
}

TColor TkvSideChannel::SideBarColor() const { return sideBar_->Color(); }

void TkvSideChannel::SetSideBarColor(TColor color) {
  sideBar_->SetColor(color);
  titleStrip_->SetColor(color);
}

// A folded channel keeps its strip empty: the title shows from the next
// slide out.
void TkvSideChannel::SetCaption(const std::string& caption) {
  caption_ = caption;
  if (Designing() || pinButton_->Visible()) titleStrip_->SetCaption(caption);
}

TAlignment TkvSideChannel::Alignment() const { return titleStrip_->Alignment(); }

void TkvSideChannel::SetAlignment(TAlignment alignment) { titleStrip_->SetAlignment(alignment); }

void TkvSideChannel::SetAlign(TkvSideChannelAlign align) {
  align_ = align;
  TControl::SetAlign(align == TkvSideChannelAlign::kvRight ? alRight : alLeft);
}

void TkvSideChannel::SetStayOn(bool on) {
  stayOn_ = on;
  if (on) {
    if (!Designing() && !SlideOut(quickMove_)) return;
    pinButton_->SetDown(true);
  } else {
    pinButton_->SetDown(false);
    if (!Designing()) SlideIn(true);
  }
  if (!Designing()) PinClicked();
}

bool TkvSideChannel::Collapsed() const { return SideBarWidth() >= Width(); }

bool TkvSideChannel::PumpStillAlive(const TSlidePump& pump) {
  const std::shared_ptr<bool> alive = alive_;
  if (pump)
    pump();
  else if (Application)
    Application->ProcessMessages();
  // Nothing of the channel may be touched once it is gone.
  if (!*alive) return false;
  // A slide that ran to its end meanwhile cleared the flag.
  sliding_ = true;
  return true;
}

bool TkvSideChannel::SlideOut(bool quick) {
  const TSlidePump pump = slidePump_;
  sliding_ = true;
  pinButton_->Show();
  if (!quick) {
    // Steps count from where the last one ended, or from further on when a
    // slide that ran meanwhile took the channel there; a refused resize
    // cannot hold the loop.
    for (int width = Width(); width + kSlideStep < expandedWidth_;) {
      width += kSlideStep;
      SetWidth(width);
      Repaint();
      if (!PumpStillAlive(pump)) return false;
      width = std::max(width, Width());
    }
  }
  SetWidth(expandedWidth_);
  Repaint();
  slideTimer_->SetEnabled(true);
  sliding_ = false;
  titleStrip_->SetCaption(caption_);
  OnPop(this);
  return true;
}

bool TkvSideChannel::SlideIn(bool quick) {
  const TSlidePump pump = slidePump_;
  sliding_ = true;
  slideTimer_->SetEnabled(false);
  if (!quick) {
    for (int width = Width(); width - kSlideStep > SideBarWidth();) {
      width -= kSlideStep;
      SetWidth(width);
      Repaint();
      if (!PumpStillAlive(pump)) return false;
      width = std::min(width, Width());
    }
  }
  SetWidth(SideBarWidth());
  Repaint();
  pinButton_->Hide();
  titleStrip_->SetCaption("");
  sliding_ = false;
  OnPush(this);
  return true;
}

// The slide starts once the child's message is done (see the header).
void TkvSideChannel::PostRequest(TRequest request) {
  if (HandleAllocated())
    PostMessageA(Handle(), CM_SLIDEREQUEST, static_cast<WPARAM>(request), 0);
  else
    SlideOnRequest(request);
}

void TkvSideChannel::HoverRequested() {
  if (Collapsed() && popupMode_ == kvMouseOn) PostRequest(TRequest::Hover);
}

void TkvSideChannel::SlideOnRequest(TRequest request) {
  if (request == TRequest::Click) {
    // Out already, it is set to its width again and raises OnPop again.
    if (popupMode_ == kvMouseClick) SlideOut(quickMove_);
    return;
  }
  if (!Collapsed() || popupMode_ != kvMouseOn) return;
  TCustomForm* form = GetParentForm(this);
  if (!form || !form->HandleAllocated() || GetActiveWindow() != form->Handle() || !IsFormActive(form)) return;
  SlideOut(quickMove_);
}

void TkvSideChannel::Tick() {
  if (Parent()) {
    const POINT origin = ClientToScreen(POINT{0, 0});
    POINT cursor{};
    GetCursorPos(&cursor);
    const bool inside =
        cursor.x > origin.x && cursor.x < origin.x + Width() && cursor.y > origin.y && cursor.y < origin.y + Height();
    if (inside) return;
  }
  SlideIn(quickMove_);
}

void TkvSideChannel::PinClicked() {
  const bool down = pinButton_->Down();
  // Only an open channel watches the cursor: one unpinned and folded in
  // code has nothing to slide back.
  slideTimer_->SetEnabled(!down && !Collapsed());
  LoadPinGlyph(down ? "SIDECHANNEL_BTN_ONTOP" : "SIDECHANNEL_BTN_NOONTOP");
  stayOn_ = down;
}

void TkvSideChannel::PlacePinButton() {
  if (pinButton_) pinButton_->SetLeft(titleStrip_->Width() - 20);
}

void TkvSideChannel::LoadPinGlyph(const char* name) {
  TBitmap glyph;
  glyph.LoadFromResourceName(GetModuleHandleA(nullptr), name);
  pinButton_->SetGlyph(&glyph);
}

void TkvSideChannel::Resize() {
  // A user or a layout change of the open channel becomes its width when out.
  if (sideBar_ && !sliding_ && SideBarWidth() < Width()) expandedWidth_ = Width();
  TCustomPanel::Resize();
}

bool TkvSideChannel::CanResize(int& width, int& height) {
  bool resize = TCustomPanel::CanResize(width, height);
  if (pinButton_ && !sliding_ && pinButton_->Visible() && width < kMinOpenWidth) resize = false;
  return resize;
}

void TkvSideChannel::WndProc(TMessage& m) {
  switch (m.Msg) {
    case CM_FONTCHANGED:
      if (titleStrip_) titleStrip_->SetFont(Font());
      return;
    case CM_SLIDEREQUEST:
      SlideOnRequest(static_cast<TRequest>(m.WParam));
      return;
    default:
      TCustomPanel::WndProc(m);
  }
}

}  // namespace kx
