// The formula dialog's pictures and formula rows, found by name among the
// components its form resource made (the look-up ignores case, so the third
// memo is found although its name is spelled meFinput3). The window
// instantiates it with its control classes; a component that is missing or of
// another class is a broken form resource and raises EComponentError.
#pragma once

#include <string>

#include "app/model/RangeArray.h"
#include "framework/core/Classes.h"
#include "framework/core/SysUtils.h"

namespace kx {

// The name of picture i (1 to 8), and of the parts of formula row i (1 to 3).
inline std::string ImageName(int i) { return "Image" + std::to_string(i); }
inline std::string RowLabelName(int i) { return "lbFunc" + std::to_string(i); }
inline std::string RowBevelName(int i) { return "bv" + std::to_string(i); }
inline std::string RowMemoName(int i) { return "meFInput" + std::to_string(i); }
inline std::string RowScrollBarName(int i) { return "kvScrollBar" + std::to_string(i); }

template <class T>
T* FindComponentAs(const TComponent& owner, const std::string& name) {
  T* found = dynamic_cast<T*>(owner.FindComponent(name));
  if (!found) throw EComponentError("The form has no component " + name + " of the expected class");
  return found;
}

template <class TImage, class TLabel, class TBevel, class TMemo, class TScrollBar>
struct TComponentRows {
  struct TRow {
    TLabel* Label = nullptr;
    TBevel* Bevel = nullptr;
    TMemo* Memo = nullptr;
    TScrollBar* ScrollBar = nullptr;
  };

  TRangeArray<TImage*, 1, 8> Images;
  TRangeArray<TRow, 1, 3> Rows;

  void Fill(const TComponent& form) {
    for (int i = 1; i <= 8; ++i) Images[i] = FindComponentAs<TImage>(form, ImageName(i));
    for (int i = 1; i <= 3; ++i)
      Rows[i] = {FindComponentAs<TLabel>(form, RowLabelName(i)), FindComponentAs<TBevel>(form, RowBevelName(i)),
                 FindComponentAs<TMemo>(form, RowMemoName(i)), FindComponentAs<TScrollBar>(form, RowScrollBarName(i))};
  }
};

}  // namespace kx
