// Sliced drawing of skin pictures: where the pieces go (pure geometry) and
// how they are drawn.
#include <algorithm>
#include <memory>

#include "skin/look/KVPublic.h"

namespace kx {

namespace {

RECT Clipped(RECT r, int width, int height) {
  r.left = std::max<LONG>(r.left, 0);
  r.top = std::max<LONG>(r.top, 0);
  r.right = std::min<LONG>(r.right, width);
  r.bottom = std::min<LONG>(r.bottom, height);
  return r;
}

int NonNegative(int v) { return std::max(v, 0); }

// A fresh bitmap holding the piece's source pixels at their own size.
std::unique_ptr<TBitmap> PieceBitmap(TBitmap& skin, const RECT& source) {
  auto piece = std::make_unique<TBitmap>();
  piece->SetSize(source.right - source.left, source.bottom - source.top);
  piece->Canvas()->CopyRect(RECT{0, 0, piece->Width(), piece->Height()}, skin.Canvas(), source);
  return piece;
}

}  // namespace

TNineSlicePlan NineSlicePlan(int skinWidth, int skinHeight, const RECT& rect) {
  const int sw = skinWidth, sh = skinHeight;
  const int hw = sw / 2, hh = sh / 2;
  const int hW = (rect.right - rect.left) / 2, hH = (rect.bottom - rect.top) / 2;
  const int R = rect.right, B = rect.bottom;
  // Piece sizes: the corners are at most half the skin and half the target;
  // the right and bottom ones one pixel less.
  const int w1 = NonNegative(std::min(hw, hW)), h1 = NonNegative(std::min(hh, hH));
  const int w2 = w1, h2 = NonNegative(std::min(hh - 1, hH - 1));
  const int w4 = NonNegative(std::min(hw - 1, hW - 1)), h4 = h1;
  const int w5 = w4, h5 = h2;

  TNineSlicePlan plan;
  plan[npTopLeft] = {{0, 0, w1, h1}, {0, 0, w1, h1}, false};
  plan[npBottomLeft] = {{0, sh - h2, w2, sh}, {0, B - h2, w2, B}, false};
  // Edges are cut across to the width (or height) they are drawn at.
  plan[npLeft] = {{0, hh, std::min(hw, w1), sh - hh}, {0, h1, w1, B - h2}, true};
  plan[npTopRight] = {{sw - w4, 0, sw, h4}, {R - w4, 0, R, h4}, false};
  plan[npBottomRight] = {{sw - w5, sh - h5, sw, sh}, {R - w5, B - h5, R, B}, false};
  plan[npRight] = {{std::max(sw - hw + 1, sw - w4), sh - hh, sw, hh + 2}, {R - w4, h4, R, B - h5}, true};
  plan[npTop] = {{hw, 0, sw - hw + 1, std::min(hh, h1)}, {w1, 0, R - w4, h1}, true};
  plan[npCentre] = {{hw, hh, sw - hw + 1, sh - hh}, {w1, h1, R - w4, B - h5 - 1}, true};
  const RECT bottom{w1 - 1, B - h2 - 1, R - w5, B};
  plan[npBottom] = {{hw, std::max<int>(sh - hh, sh - (bottom.bottom - bottom.top)), sw - hw + 1, sh}, bottom, true};

  for (TSlicePiece& piece : plan) piece.Source = Clipped(piece.Source, sw, sh);
  return plan;
}

TThreeSlicePlan ThreeSlicePlan(int width, int height, const RECT& rect) {
  const int s = width / 3;
  const LONG L = rect.left, T = rect.top, R = rect.right;
  TThreeSlicePlan plan;
  plan[tpLeft] = {{0, 0, s, height}, {L, T, L + s, T + height}, false};
  plan[tpRight] = {{2 * s, 0, 3 * s, height}, {R - s, T, R, T + height}, false};
  plan[tpMiddle] = {{s, 0, 2 * s, height}, {L + s, T, R - s, rect.bottom}, true};
  return plan;
}

void StretchSkinBitmap(TBitmap& bitmap, TCanvas& canvas, const RECT& rect, bool transparentCorners) {
  if (bitmap.Empty()) return;
  for (const TSlicePiece& piece : NineSlicePlan(bitmap.Width(), bitmap.Height(), rect)) {
    if (piece.Skipped()) continue;
    std::unique_ptr<TBitmap> bits = PieceBitmap(bitmap, piece.Source);
    if (piece.Stretched) {
      bits->SetTransparentColor(clFuchsia);
      bits->SetTransparent(true);
      canvas.StretchDraw(piece.Dest, bits.get());
    } else {
      TImageList list(nullptr, bits->Width(), bits->Height());
      list.SetMasked(transparentCorners);
      list.AddMasked(bits.get(), clFuchsia);
      list.Draw(canvas, piece.Dest.left, piece.Dest.top, 0, true);
    }
  }
}

void DrawThreeSliceBitmap(TBitmap& bitmap, TCanvas& canvas, const RECT& rect, bool transparent) {
  const TThreeSlicePlan plan = ThreeSlicePlan(bitmap.Width(), bitmap.Height(), rect);
  const int slice = plan[tpLeft].Source.right;
  if (slice <= 0 || bitmap.Height() <= 0) return;
  const TColor mask = bitmap.Canvas()->Pixel(0, 0);
  TImageList list(nullptr, slice, bitmap.Height());
  list.SetMasked(transparent);
  list.AddMasked(&bitmap, mask);
  list.Draw(canvas, plan[tpLeft].Dest.left, plan[tpLeft].Dest.top, 0, true);
  list.Draw(canvas, plan[tpRight].Dest.left, plan[tpRight].Dest.top, 2, true);
  if (plan[tpMiddle].Skipped()) return;
  TBitmap middle;
  list.GetBitmap(1, middle);
  canvas.StretchDraw(plan[tpMiddle].Dest, &middle);
}

}  // namespace kx
