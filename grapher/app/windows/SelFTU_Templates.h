// The ten shape templates apart from their windows: what the template form
// shows for each (caption, labels, picture, radio captions) and what an
// accepted form writes into the record being added (kind, ranges, shift and
// formula texts built from the parameters).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "app/model/MainU_Funcs.h"

namespace kx {

enum class TTemplate { Circle, Ellipse, Hyperbola, QuadraticOverLinear, Degree4, Sphere, Ellipsoid, Paraboloid, Hyperboloid, Cone };

struct TTemplateInfo {
  const char* Caption;              // the form's caption
  int32_t Kind;                     // the kind the record gets
  std::vector<const char*> Labels;  // one per parameter row (UTF-8), 2 to 5
  int Picture;                      // number of the picture shown (type 1)
  int Type2Picture;                 // the second type's picture; 0 for a one-type template
  const char* Type1Caption;         // radio captions of a two-type template (UTF-8)
  const char* Type2Caption;
  int LabelOffset;                  // first label's distance below the picture's top
};

const TTemplateInfo& TemplateInfo(TTemplate t);

// A parameter as a formula holds it: its single-precision value in the
// twelve-digit number form of the parameter fields (2.5 stays 2.5, 0.1
// becomes 0.10000000149).
std::string TemplateNumber(float value);

// What the form's OK does to the record: the kind first, then the fields read
// in order with "." as decimal separator (the centre of the three plane
// conics into the shift, 64-bit, the other parameters as singles); the first
// field that does not read stops it, leaving what was written. When all read:
// the template's ranges, then its formulas (each cut to 255 characters); the
// paraboloid is refused unless p > 0 and q > 0, after its formulas are
// written. type1: the first radio button was checked. False when refused.
bool ApplyTemplate(TFuncRec& f, TTemplate t, bool type1, const std::vector<std::string>& fields);

}  // namespace kx
