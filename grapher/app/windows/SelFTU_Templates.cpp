#include "app/windows/SelFTU_Templates.h"

#include "app/windows/ParaU_Numbers.h"

namespace kx {

namespace {

constexpr double TwoPi = 6.283185307179586;
constexpr double Pi = 3.141592653589793;
// Just short of the poles, where the sphere's rows would fold onto one point.
constexpr double HalfPiInside = 1.5707953267948966;
constexpr size_t MaxFormulaLength = 255;

const char* const kCentreX = "X tâm      a =";
const char* const kCentreY = "Y tâm      b =";
const char* const kRadius = "Bán kính   r =";
const char* const kEllipseRows[] = {"X tâm         u =", "Y tâm         v =", "Bán trục x   a =", "Bán trục y   b ="};
const char* const kCoefficients[] = {"Hệ số   a =", "Hệ số   b =", "Hệ số   c =", "Hệ số   d =", "Hệ số   e ="};
const char* const kSemiAxes[] = {"Bán trục x   a =", "Bán trục y   b =", "Bán trục z   c ="};

void SetRange1(TFuncRec& f, double first, double last, double step) { f.First1 = first, f.Last1 = last, f.Step1 = step; }
void SetRange2(TFuncRec& f, double first, double last, double step) { f.First2 = first, f.Last2 = last, f.Step2 = step; }

void SetFormulas(TFuncRec& f, std::vector<std::string> formulas) {
  for (size_t j = 0; j < formulas.size(); ++j) {
    if (formulas[j].size() > MaxFormulaLength) formulas[j].resize(MaxFormulaLength);
    f.Func[static_cast<int>(j) + 1] = std::move(formulas[j]);
  }
}

// The centre of a plane conic is read into the shift.
bool HasCentre(TTemplate t) { return t == TTemplate::Circle || t == TTemplate::Ellipse || t == TTemplate::Hyperbola; }

}  // namespace

const TTemplateInfo& TemplateInfo(TTemplate t) {
  static const TTemplateInfo table[] = {
      {"Ve duong tron", 5, {kCentreX, kCentreY, kRadius}, 1, 0, nullptr, nullptr, 60},
      {"Ve hinh Elip", 5, {std::begin(kEllipseRows), std::end(kEllipseRows)}, 2, 0, nullptr, nullptr, 100},
      {"Ve duong Hyperbol (2 loai)", 5, {std::begin(kEllipseRows), std::end(kEllipseRows)}, 3, 12,
       "Hyperbol loại 1", "Hyperbol loại 2", 100},
      {"Ve ham bac 2/bac 1", 1, {std::begin(kCoefficients), std::end(kCoefficients)}, 4, 0, nullptr, nullptr, 100},
      {"Ve ham da thuc bac 4 (hoac nho hon)", 1, {std::begin(kCoefficients), std::end(kCoefficients)}, 5, 0, nullptr,
       nullptr, 60},
      {"Ve mat cau", 8, {"X tâm   a =", "Y tâm   b =", "Z tâm   c =", kRadius}, 6, 0, nullptr, nullptr, 60},
      {"Ve mat Elipxoit", 8, {std::begin(kSemiAxes), std::end(kSemiAxes)}, 7, 0, nullptr, nullptr, 100},
      {"Ve mat Paraboloit (2 loai)", 8, {"p =", "q ="}, 8, 11, "Paraboloit eliptic", "Paraboloit hyperbolic", 105},
      {"Ve mat Hyperboloit (2 loai)", 8, {std::begin(kSemiAxes), std::end(kSemiAxes)}, 9, 10, "Hyperboloit 1 tầng",
       "Hyperboloit 2 tầng", 100},
      {"Ve mat Non", 8, {std::begin(kSemiAxes), std::end(kSemiAxes)}, 13, 0, nullptr, nullptr, 100},
  };
  return table[static_cast<int>(t)];
}

std::string TemplateNumber(float value) { return ParaNumberText(static_cast<double>(value)); }

bool ApplyTemplate(TFuncRec& f, TTemplate t, bool type1, const std::vector<std::string>& fields) {
  const size_t rows = TemplateInfo(t).Labels.size();
  f.FuncType = TemplateInfo(t).Kind;
  // The parameters in their number form, by row.
  std::vector<std::string> p;
  std::vector<float> singles;
  for (size_t i = 0; i < rows; ++i) {
    double value = 0;
    if (i >= fields.size() || !TryParseParaNumber(fields[i], value)) return false;
    if (HasCentre(t) && i < 2) {
      (i == 0 ? f.RelX : f.RelY) = value;
      p.push_back("");
      singles.push_back(0);
    } else {
      singles.push_back(static_cast<float>(value));
      p.push_back(TemplateNumber(singles.back()));
    }
  }

  switch (t) {
    case TTemplate::Circle:
      SetRange1(f, 0, TwoPi, 0.02);
      SetFormulas(f, {p[2] + "*Cos(t)", p[2] + "*Sin(t)"});
      break;
    case TTemplate::Ellipse:
      SetRange1(f, 0, TwoPi, 0.02);
      SetFormulas(f, {p[2] + "*Cos(t)", p[3] + "*Sin(t)"});
      break;
    case TTemplate::Hyperbola:
      SetRange1(f, 0, TwoPi, 0.02);
      if (type1)
        SetFormulas(f, {p[2] + "/Cos(t)", p[3] + "*Sin(t)/Cos(t)"});
      else
        SetFormulas(f, {p[2] + "*Sin(t)/Cos(t)", p[3] + "/Cos(t)"});
      break;
    case TTemplate::QuadraticOverLinear:
      SetRange1(f, -15, 15, 0.01);
      SetFormulas(f, {"(" + p[0] + "*x*x+" + p[1] + "*x+" + p[2] + ")/(" + p[3] + "*x+" + p[4] + ")"});
      break;
    case TTemplate::Degree4:
      SetRange1(f, -15, 15, 0.01);
      SetFormulas(f, {p[0] + "*x*x*x*x+" + p[1] + "*x*x*x+" + p[2] + "*x*x+" + p[3] + "*x+" + p[4]});
      break;
    case TTemplate::Sphere:
      SetRange1(f, -HalfPiInside, HalfPiInside, 0.1);
      SetRange2(f, 0, TwoPi, 0.1);
      SetFormulas(f, {p[3] + "*Cos(v)*Cos(u)+" + p[0], p[3] + "*Sin(v)*Cos(u)+" + p[1], p[3] + "*Sin(u)+" + p[2]});
      break;
    case TTemplate::Ellipsoid:
      SetRange1(f, -HalfPiInside, HalfPiInside, 0.1);
      SetRange2(f, 0, TwoPi, 0.1);
      SetFormulas(f, {p[0] + "*Cos(v)*Cos(u)", p[1] + "*Sin(v)*Cos(u)", p[2] + "*Sin(u)"});
      break;
    case TTemplate::Paraboloid: {
      if (type1) {
        SetRange1(f, 0, 3, 0.1);
        SetRange2(f, 0, TwoPi, 0.1);
        SetFormulas(f, {"sqrt(2*u*" + p[0] + ")*Cos(v)", "sqrt(2*u*" + p[1] + ")*Sin(v)", "u"});
      } else {
        SetRange1(f, -5, 5, 0.1);
        SetRange2(f, -5, 5, 0.1);
        SetFormulas(f, {"u", "v", "-Sqr(v)/(2*" + p[1] + ")+sqr(u)/(2*" + p[0] + ")"});
      }
      return singles[0] > 0 && singles[1] > 0;
    }
    case TTemplate::Hyperboloid:
      SetRange2(f, 0, TwoPi, 0.1);
      if (type1) {
        SetRange1(f, -1, 1, 0.1);
        SetFormulas(f, {p[0] + "*Cos(v)/Cos(u)", p[1] + "*Sin(v)/Cos(u)", p[2] + "*Sin(u)/Cos(u)"});
      } else {
        SetRange1(f, 0, Pi, 0.1);
        SetFormulas(f, {p[0] + "*Cos(v)*Sin(u)/Cos(u)", p[1] + "*Sin(v)*Sin(u)/Cos(u)", p[2] + "/Cos(u)"});
      }
      break;
    case TTemplate::Cone:
      SetRange1(f, 0, 3, 0.1);
      SetRange2(f, 0, TwoPi, 0.1);
      SetFormulas(f, {"(" + p[0] + "*Abs(u)/" + p[2] + ")*Cos(v)", "(" + p[1] + "*Abs(u)/" + p[2] + ")*Sin(v)", "u"});
      break;
  }
  return true;
}

}  // namespace kx
