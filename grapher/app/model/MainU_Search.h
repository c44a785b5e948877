// The root and extremum searches from the evaluation point, without windows:
// they move the point step by step, ask the program to repaint after each
// step and, for an extremum, to let window messages through, so that a
// click can stop them.
#pragma once

#include <string>

#include "app/model/EvalFU_State.h"
#include "app/model/MainU_Funcs.h"

namespace kx {

// What a search asks of the program.
class TSearchHost {
 public:
  virtual ~TSearchHost() = default;
  // The panel's evaluation at the state's point without reading its inputs;
  // shown (integrals included) or not. False on failure.
  virtual bool Evaluate(bool shown) = 0;
  // A frame at once, so that the marker visibly travels.
  virtual void RepaintView() = 0;
  // Window messages are handled (a click may set StopSearch).
  virtual void ProcessMessages() = 0;
  virtual void SetHourglass(bool busy) = 0;
  // A message with the caption "Thong bao loi", owned by the panel's window.
  virtual void ShowSearchMessage(const std::string& text) = 0;
  // The search has ended (SearchRunning is clear): what it held back may run.
  virtual void SearchEnded() {}
};

// With each value taken as a 64-bit real and its sign 0 for either zero,
// -1 with the sign bit set, else +1: sign(a) * sign(b) <= 0.
bool OppositeSigns(long double a, long double b);

// The messages of the searches.
inline constexpr const char* RootOverflowText = "Tran so, khong tim duoc nghiem";
inline constexpr const char* RootOutOfRangeText = "Nghiem vuot ngoai khoang xac dinh";
inline constexpr const char* TooManyStepsText = "Vuot qua so lan lap cho phep !!!";
inline constexpr const char* NoRootText = "Khong ton tai nghiem trong khoang don dieu";
inline constexpr const char* ExtremumOverflowText = "Tran so, khong tim duoc cuc tri";
inline constexpr const char* ExtremumOutOfRangeText = "Cuc tri vuot ngoai khoang xac dinh";
inline constexpr const char* StoppedText = "Bi ket thuc boi nguoi dung";

class TSearch {
 public:
  TSearch(TFuncModel& model, TEvalState& eval, TSearchHost& host) : model_(model), eval_(eval), host_(host) {}

  // A root of formula SearchComponent near EvalVar1: a scan by 0.1 toward
  // falling |f|, then halving. Not for surfaces.
  void FindRoot();
  // A local minimum or maximum of formula SearchComponent by gradient steps
  // in the target's variables.
  void FindExtremum(bool findMin);
  // The first data point with the smallest or largest Y of a data record.
  void PointExtremum(bool findMin);

 private:
  struct TRange {
    long double Lo = 0, Hi = 0;
    bool Holds(long double v) const { return v >= Lo && v <= Hi; }
  };
  // The target with the ranges of its variables; nullptr when there is none
  // or it is a data record without points, which has no range.
  const TFuncRec* Prepare(TRange& first, TRange& second) const;
  void Finish(const char* message);

  TFuncModel& model_;
  TEvalState& eval_;
  TSearchHost& host_;
};

// While a search runs, the commands that could free what it uses (Add, Edit,
// Delete, Load, closing the window, another search) only ask it to stop:
// true when the caller must do nothing else.
bool StopSearchInstead(TEvalState& eval);

}  // namespace kx
