// Randomized differential test: formulas from a grammar are compiled under every
// option combination and evaluated through the register-checking harness; the
// results are compared with a plain long double evaluation of the same formula.
//
// More seeds by hand: test_compiler_codegen_random.exe --seeds=500 [--first=N]
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>

#include "CodeGenSupport.h"
#include "Emulation.h"
#include "compiler/KLib.h"

using namespace kx;

namespace {

constexpr int Points = 4;
using TVals = std::array<long double, Points>;

int SeedCount = 12;
int FirstSeed = 1;

// Cells of the formula variables, in two type sets.
struct TCells {
  long double x = 0, y = 0, z = 0;
  alignas(8) double dx = 0;
  float fy = 0;
  int32_t iz = 0;
  uint8_t zu8 = 0;
  int8_t zi8 = 0;
  int16_t zi16 = 0;
  uint16_t zu16 = 0;
  uint32_t zu32 = 0;
  int64_t zi64 = 0;
};
TCells Cells;

const long double PointX[Points] = {2, 0.75L, -1.25L, 3};
const long double PointY[Points] = {-3, 1.5L, 0.5L, -0.25L};
const long double PointZ[Points] = {5, 2, 4, 1};  // fits every integer type

// A generated formula piece: its text and, at every point, its value, an error
// bound, whether it is computed exactly, and a magnitude bound used for exactness.
struct TPiece {
  std::string Text;
  TVals V{}, Err{}, Mag{};
  std::array<bool, Points> Exact{};
  int Leaves = 0;
};

// Rounding bounds: four units of the 64-bit mantissa per arithmetic operation
// (sums are bounded through the magnitude of their terms, which holds for any
// order the compiler chooses), and a margin for a built-in's own error.
constexpr long double Eps = 4 * 0x1p-64L;
constexpr long double FnEps = 1e-17L;

bool Sane(const TPiece& p) {
  for (int i = 0; i < Points; ++i)
    if (!std::isfinite(p.V[i]) || std::fabs(p.V[i]) > 1e9L || p.Err[i] > 1e-6L * std::max(1.0L, std::fabs(p.V[i])))
      return false;
  return true;
}

class TGenerator {
 public:
  explicit TGenerator(uint32_t seed) : rng_(seed) {}

  TPiece Formula(int budget) { return Sum(budget, 0); }

 private:
  int Pick(int n) { return static_cast<int>(rng_() % static_cast<uint32_t>(n)); }

  TPiece Leaf() {
    TPiece p;
    p.Leaves = 1;
    const int k = Pick(10);
    if (k < 6) {
      const int v = Pick(3);
      p.Text = std::string(1, "xyz"[v]);
      for (int i = 0; i < Points; ++i) {
        p.V[i] = v == 0 ? PointX[i] : v == 1 ? PointY[i] : PointZ[i];
        p.Exact[i] = p.V[i] == std::floor(p.V[i]);
      }
    } else {
      static const char* texts[] = {"2", "3", "0.5", "1.25", "10", "7", "0.1", "100"};
      static const long double values[] = {2, 3, 0.5L, 1.25L, 10, 7, 0.1L, 100};
      const int c = Pick(8);
      p.Text = texts[c];
      for (int i = 0; i < Points; ++i) {
        p.V[i] = values[c];
        p.Exact[i] = c != 6 && values[c] == std::floor(values[c]);
        p.Err[i] = c == 6 ? 0.1L * Eps : 0;
      }
    }
    for (int i = 0; i < Points; ++i) p.Mag[i] = std::fabs(p.V[i]);
    return p;
  }

  // A run of signs before a term; odd runs negate.
  std::string Signs(bool& negate) {
    std::string s;
    negate = false;
    const int n = Pick(4) == 0 ? 1 + Pick(3) : 0;
    for (int i = 0; i < n; ++i) {
      const bool minus = Pick(2) == 0;
      s += minus ? '-' : '+';
      negate ^= minus;
    }
    return s;
  }

  static TPiece Negated(TPiece p) {
    for (int i = 0; i < Points; ++i) p.V[i] = -p.V[i];
    return p;
  }

  TPiece Sum(int budget, int depth) {
    const int terms = budget <= 1 ? 1 : 1 + Pick(std::min(budget, 4));
    TPiece acc;
    for (int t = 0; t < terms; ++t) {
      const int share = std::max(1, budget / terms);
      bool negate;
      std::string signs = Signs(negate);
      TPiece term = Product(share, depth);
      if (negate) term = Negated(term);
      if (t == 0) {
        acc = term;
        acc.Text = signs + term.Text;
        continue;
      }
      const bool minus = Pick(2) == 0;
      TPiece next;
      next.Text = acc.Text + (minus ? "-" : "+") + signs + term.Text;
      next.Leaves = acc.Leaves + term.Leaves;
      for (int i = 0; i < Points; ++i) {
        next.V[i] = minus ? acc.V[i] - term.V[i] : acc.V[i] + term.V[i];
        next.Mag[i] = acc.Mag[i] + term.Mag[i];
        next.Err[i] = acc.Err[i] + term.Err[i] + next.Mag[i] * Eps;
        next.Exact[i] = acc.Exact[i] && term.Exact[i] && next.Mag[i] < 1e15L;
      }
      if (Sane(next)) acc = next;
    }
    return acc;
  }

  TPiece Product(int budget, int depth) {
    const int factors = budget <= 1 ? 1 : 1 + Pick(std::min(budget, 3));
    TPiece acc = Factor(std::max(1, budget / factors), depth);
    for (int f = 1; f < factors; ++f) {
      TPiece r = Factor(std::max(1, budget / factors), depth);
      const bool divide = Pick(3) == 0;
      TPiece next;
      next.Text = acc.Text + (divide ? "/" : "*") + r.Text;
      next.Leaves = acc.Leaves + r.Leaves;
      bool ok = true;
      for (int i = 0; i < Points; ++i) {
        const long double a = acc.V[i], b = r.V[i];
        if (divide) {
          if (std::fabs(b) < 1e-3L || std::fabs(b) < 100 * r.Err[i]) ok = false;
          next.V[i] = a / b;
          next.Err[i] = (acc.Err[i] + std::fabs(next.V[i]) * r.Err[i]) / std::fabs(b) + std::fabs(next.V[i]) * Eps;
          next.Exact[i] = false;
        } else {
          next.V[i] = a * b;
          next.Err[i] =
              acc.Err[i] * std::fabs(b) + r.Err[i] * std::fabs(a) + acc.Err[i] * r.Err[i] + std::fabs(next.V[i]) * Eps;
          next.Exact[i] = acc.Exact[i] && r.Exact[i];
        }
        next.Mag[i] = divide ? acc.Mag[i] / std::fabs(b) : acc.Mag[i] * r.Mag[i];
        next.Exact[i] = next.Exact[i] && next.Mag[i] < 1e15L;
      }
      if (ok && Sane(next)) acc = next;
    }
    return acc;
  }

  TPiece Bracket(const TPiece& inner) {
    TPiece p = inner;
    p.Text = "(" + inner.Text + ")";
    return p;
  }

  static TPiece Join(const TPiece& a, const TPiece& b, char op) {
    TPiece p;
    p.Text = "(" + a.Text + op + b.Text + ")";
    p.Leaves = a.Leaves + b.Leaves;
    for (int i = 0; i < Points; ++i) {
      p.V[i] = op == '+' ? a.V[i] + b.V[i] : a.V[i] - b.V[i];
      p.Mag[i] = a.Mag[i] + b.Mag[i];
      p.Err[i] = a.Err[i] + b.Err[i] + p.Mag[i] * Eps;
      p.Exact[i] = a.Exact[i] && b.Exact[i];
    }
    return p;
  }

  // A complete tree of sums: it needs levels + 1 registers, more than the x87 has
  // from 8 levels on; some leaves are calls, which must then be computed ahead.
  TPiece Deep(int levels) {
    if (levels == 0) {
      // Variables and 80-bit constants take a register each.
      if (Pick(6) > 0) {
        TPiece p;
        do p = Leaf();
        while (p.Text.find_first_of("xyz") == std::string::npos && p.Text != "0.1");
        return p;
      }
      TPiece p;
      for (int tries = 0; tries < 8; ++tries) {
        p = Call(1 + Pick(3), 5);
        if (Sane(p)) return p;
      }
      return Leaf();
    }
    return Join(Deep(levels - 1), Deep(levels - 1), Pick(2) ? '+' : '-');
  }

  // power(A, 2) where A is a balanced sum of eight power() calls: an argument that
  // itself needs seven registers.
  TPiece PowerOfPowers() {
    TPiece sum;
    for (int t = 0; t < 8; ++t) {
      TPiece l = Leaf();
      TPiece p = Apply(
          "power", l, [](long double v) { return v * v; }, [](long double v) { return 2 * v; }, true);
      p.Text = "power(" + l.Text + ",2)";
      sum = t == 0 ? p : Join(sum, p, '+');
      if (t > 0) sum.Text = sum.Text.substr(1, sum.Text.size() - 2);
    }
    TPiece r = Apply(
        "power", sum, [](long double v) { return v * v; }, [](long double v) { return 2 * v; }, true);
    r.Text = "power(" + sum.Text + ",2)";
    return r;
  }

  TPiece Factor(int budget, int depth) {
    if (budget >= 30 && Pick(2) == 0) {
      switch (Pick(4)) {
        case 0:
          return Deep(7 + Pick(4));
        case 1:
          return Join(Deep(Pick(5)), PowerOfPowers(), '+');
        case 2: {
          const TPiece a = Deep(5 + Pick(3)), b = Deep(5 + Pick(3));
          const TPiece p = MinOrMax(a, b, Pick(2) == 0);
          if (Sane(p)) return p;
          return Leaf();
        }
        default:
          return Join(Leaf(), Apply("sin", Deep(7 + Pick(2)), sinl, cosl), Pick(2) ? '+' : '-');
      }
    }
    const int k = budget <= 1 ? Pick(8) : Pick(4);
    if (budget <= 1 && k < 6) return Leaf();
    if (depth > 6) return Leaf();
    if (k % 2 == 0) return Bracket(Sum(budget, depth + 1));
    for (int tries = 0; tries < 8; ++tries) {
      TPiece p = Call(budget, depth + 1);
      if (Sane(p)) return p;
    }
    return Leaf();
  }

  static TPiece MinOrMax(const TPiece& a, const TPiece& b, bool isMin) {
    TPiece p;
    p.Text = std::string(isMin ? "min(" : "max(") + a.Text + "," + b.Text + ")";
    p.Leaves = a.Leaves + b.Leaves;
    for (int i = 0; i < Points; ++i) {
      const bool first = isMin ? a.V[i] < b.V[i] : a.V[i] > b.V[i];
      p.V[i] = first ? a.V[i] : b.V[i];
      p.Exact[i] = a.Exact[i] && b.Exact[i];
      p.Mag[i] = std::max(a.Mag[i], b.Mag[i]);
      // Too close to call: only the class of the result is checked.
      p.Err[i] = std::fabs(a.V[i] - b.V[i]) <= a.Err[i] + b.Err[i] ? 1e300L : std::max(a.Err[i], b.Err[i]);
    }
    return p;
  }

  // Applies a one-argument function value by value with its derivative for the error bound.
  template <typename F, typename D>
  static TPiece Apply(const std::string& name, const TPiece& a, F f, D df, bool keepsExact = false) {
    TPiece p;
    p.Text = name + "(" + a.Text + ")";
    p.Leaves = a.Leaves;
    for (int i = 0; i < Points; ++i) {
      p.V[i] = f(a.V[i]);
      p.Err[i] = std::fabs(df(a.V[i])) * a.Err[i] * 1.01L + std::fabs(p.V[i]) * FnEps + 1e-18L;
      p.Exact[i] = keepsExact && a.Exact[i];
      p.Mag[i] = std::fabs(p.V[i]);
    }
    return p;
  }

  // Wraps a piece so that it lies in [lo, lo + 1].
  static TPiece Into(const TPiece& a, const char* wrap, long double lo) {
    // abs(sin(a)) + lo
    TPiece s = Apply(
        "sin", a, [](long double v) { return sinl(v); }, [](long double v) { return cosl(v); });
    TPiece ab = Apply(
        "abs", s, [](long double v) { return fabsl(v); }, [](long double) { return 1.0L; });
    TPiece p = ab;
    p.Text = ab.Text + wrap;
    for (int i = 0; i < Points; ++i) {
      p.V[i] = ab.V[i] + lo;
      p.Err[i] = ab.Err[i] + std::fabs(p.V[i]) * Eps;
      p.Exact[i] = false;
    }
    return p;
  }

  TPiece Call(int budget, int depth) {
    const int sub = std::max(1, budget - 1);
    const int f = Pick(22);
    auto arg = [&](int b) {
      TPiece a = Sum(b, depth);
      for (int i = 0; i < Points; ++i)
        if (std::fabs(a.V[i]) > 1e4L) return Leaf();
      return a;
    };
    switch (f) {
      case 0:
        return Apply("sin", arg(sub), sinl, cosl);
      case 1:
        return Apply("cos", arg(sub), cosl, [](long double v) { return sinl(v); });
      case 2:
        return Apply(
            "sqr", arg(sub), [](long double v) { return v * v; }, [](long double v) { return 2 * v; }, true);
      case 3:
        return Apply(
            "abs", arg(sub), fabsl, [](long double) { return 1.0L; }, true);
      case 4:
        return Apply("sqrt", Into(arg(sub), "+0.5", 0.5L), sqrtl, [](long double v) { return 0.5L / sqrtl(v); });
      case 5:
        return Apply("ln", Into(arg(sub), "+0.5", 0.5L), logl, [](long double v) { return 1 / v; });
      case 6:
        return Apply("exp", Apply("sin", arg(sub), sinl, cosl), expl, expl);
      case 7:
        return Apply("tan", Apply("sin", arg(sub), sinl, cosl), tanl,
                     [](long double v) { return 1 / (cosl(v) * cosl(v)); });
      case 8:
        return Apply(
            "cotan", Into(arg(sub), "+0.5", 0.5L), [](long double v) { return cosl(v) / sinl(v); },
            [](long double v) { return 1 / (sinl(v) * sinl(v)); });
      case 9: {
        TPiece s = Apply("sin", arg(sub), sinl, cosl);
        s.Text = "0.5*" + s.Text;
        for (int i = 0; i < Points; ++i) {
          s.V[i] *= 0.5L;
          s.Err[i] *= 0.5L;
        }
        return Pick(2) ? Apply("arcsin", s, asinl, [](long double v) { return 1 / sqrtl(1 - v * v); })
                       : Apply("arccos", s, acosl, [](long double v) { return 1 / sqrtl(1 - v * v); });
      }
      case 10:
        return Apply("arctan", arg(sub), atanl, [](long double v) { return 1 / (1 + v * v); });
      case 11:
        return Apply(
            "arccotan", arg(sub), [](long double v) { return atan2l(1, v); },
            [](long double v) { return 1 / (1 + v * v); });
      case 12:
      case 13: {
        const int n = 1 + Pick(3);
        TPiece a = arg(sub);
        TPiece p = Apply(
            "power", a, [n](long double v) { return powl(v, n); }, [n](long double v) { return n * powl(v, n - 1); },
            true);
        p.Text = "power(" + a.Text + "," + std::to_string(n) + ")";
        for (int i = 0; i < Points; ++i) p.Exact[i] = p.Exact[i] && std::fabs(p.V[i]) < 1e15L;
        return p;
      }
      case 14: {
        TPiece base = Into(arg(sub / 2 + 1), "+0.5", 0.5L);
        TPiece e = Apply("sin", arg(sub / 2 + 1), sinl, cosl);
        TPiece p;
        p.Text = "power(" + base.Text + "," + e.Text + ")";
        p.Leaves = base.Leaves + e.Leaves;
        for (int i = 0; i < Points; ++i) {
          p.V[i] = powl(base.V[i], e.V[i]);
          p.Err[i] = std::fabs(e.V[i] * powl(base.V[i], e.V[i] - 1)) * base.Err[i] +
                     std::fabs(p.V[i] * logl(base.V[i])) * e.Err[i] + std::fabs(p.V[i]) * 1e-17L + 1e-18L;
          p.Mag[i] = std::fabs(p.V[i]);
        }
        return p;
      }
      case 15:
      case 16: {
        const TPiece a = arg(sub / 2 + 1), b = arg(sub / 2 + 1);
        return MinOrMax(a, b, f == 15);
      }
      case 17: {
        TPiece b = Into(arg(sub / 2 + 1), "+2", 2), a = Into(arg(sub / 2 + 1), "+0.5", 0.5L);
        TPiece p;
        p.Text = "LogN(" + b.Text + "," + a.Text + ")";
        p.Leaves = a.Leaves + b.Leaves;
        for (int i = 0; i < Points; ++i) {
          p.V[i] = log2l(a.V[i]) / log2l(b.V[i]);
          p.Err[i] = (a.Err[i] / a.V[i] + std::fabs(p.V[i]) * b.Err[i] / b.V[i]) * 2 + std::fabs(p.V[i]) * FnEps;
          p.Mag[i] = std::fabs(p.V[i]);
        }
        return p;
      }
      case 18:
        return Apply("Log10", Into(arg(sub), "+0.5", 0.5L), log10l, [](long double v) { return 0.5L / v; });
      case 19: {
        // Truncations are checked away from their steps.
        static const char* names[] = {"Int", "Frac", "Round"};
        const int which = Pick(3);
        TPiece a = arg(sub);
        for (int i = 0; i < Points; ++i) {
          const long double d =
              which == 2 ? std::fabs(a.V[i] - std::floor(a.V[i]) - 0.5L) : std::fabs(a.V[i] - std::nearbyint(a.V[i]));
          if (d < 1e-6L && !(a.Exact[i] && which != 2)) return Leaf();
        }
        auto fn = [which](long double v) {
          return which == 0 ? truncl(v) : which == 1 ? v - truncl(v) : nearbyintl(v);
        };
        return Apply(
            names[which], a, fn, [which](long double) { return which == 1 ? 1.0L : 0.0L; }, which != 1);
      }
      case 20: {
        TPiece p = Leaf();
        p.Text = "Pi";
        for (int i = 0; i < Points; ++i) {
          p.V[i] = p.Mag[i] = 3.14159265358979323846264338327950288L;
          p.Exact[i] = false;
        }
        return p;
      }
      default:
        return Apply("Log2", Into(arg(sub), "+0.5", 0.5L), log2l, [](long double v) { return 1.5L / v; });
    }
  }

  std::mt19937 rng_;
};

class CodeGenRandom : public ::testing::Test {
 protected:
  // Variable set 0 is all 80-bit; set 1 mixes f64, f32 and i32; sets 2 to 7 give z
  // each narrower or wider integer type.
  void Configure(TKCompiler& k, int options, int set) {
    k.SetParallelExecution(options & 1);
    k.SetEliminateBrackets(static_cast<TEliminateBrackets>((options >> 1) % 3));
    k.SetOutOfOrder(static_cast<TOutOfOrder>((options / 6) % 3));
    k.SetAlignMode((options / 18) & 1);
    k.SetBackOperation((options / 36) & 1);
    k.SetSmartLoad((options / 72) & 1);
    k.ClearVariables();
    if (set == 1) {
      k.AddVariable("x", tcF64, &Cells.dx);
      k.AddVariable("y", tcF32, &Cells.fy);
      k.AddVariable("z", tcI32, &Cells.iz);
      return;
    }
    k.AddVariable("x", tcF80, &Cells.x);
    k.AddVariable("y", tcF80, &Cells.y);
    switch (set) {
      case 2:
        k.AddVariable("z", tcU08, &Cells.zu8);
        break;
      case 3:
        k.AddVariable("z", tcI16, &Cells.zi16);
        break;
      case 4:
        k.AddVariable("z", tcU32, &Cells.zu32);
        break;
      case 5:
        k.AddVariable("z", tcI64, &Cells.zi64);
        break;
      case 6:
        k.AddVariable("z", tcU16, &Cells.zu16);
        break;
      case 7:
        k.AddVariable("z", tcI08, &Cells.zi8);
        break;
      default:
        k.AddVariable("z", tcF80, &Cells.z);
        break;
    }
  }

  static void SetPoint(int i) {
    Cells.x = PointX[i];
    Cells.y = PointY[i];
    Cells.z = PointZ[i];
    Cells.dx = static_cast<double>(PointX[i]);
    Cells.fy = static_cast<float>(PointY[i]);
    const int z = static_cast<int>(PointZ[i]);
    Cells.iz = z;
    Cells.zu8 = static_cast<uint8_t>(z);
    Cells.zi8 = static_cast<int8_t>(z);
    Cells.zi16 = static_cast<int16_t>(z);
    Cells.zu16 = static_cast<uint16_t>(z);
    Cells.zu32 = static_cast<uint32_t>(z);
    Cells.zi64 = z;
  }

  // Compiles one formula under all 144 option combinations and both variable sets.
  void Check(const TPiece& f) {
    for (int pass = 0; pass < 2; ++pass)
      for (int options = 0; options < 144; ++options) {
        const int set = pass == 0 ? 0 : 1 + options % 7;
        TKCompiler k;
        AddGrapherBuiltins(&k);
        k.SetAutoCompile(false);
        Configure(k, options, set);
        k.SetExpression(f.Text);
        k.Compile();
        ASSERT_EQ(k.CompError(), eNone) << f.Text;
        for (int i = 0; i < Points; ++i) {
          SetPoint(i);
          const TEvalResult r = EvaluateChecked(k);
          ASSERT_TRUE(r.RegistersKept) << f.Text << " options " << options;
          ASSERT_TRUE(r.StackClean) << f.Text << " options " << options;
          if (f.Exact[i]) {
            ASSERT_EQ(r.Value, f.V[i]) << f.Text << " options " << options << " set " << set << " point " << i;
          } else if (f.Err[i] < 1e300L) {
            // Relative 1e-12; where cancellation leaves less than that to compare,
            // a small multiple of the rounding bound.
            const long double tol = std::max(1e-12L * std::fabs(f.V[i]), 100 * f.Err[i]);
            ASSERT_LE(std::fabs(r.Value - f.V[i]), tol)
                << f.Text << " options " << options << " set " << set << " point " << i << " got "
                << static_cast<double>(r.Value) << " want " << static_cast<double>(f.V[i]);
          } else {
            ASSERT_TRUE(std::isfinite(r.Value));
          }
        }
      }
  }
};

TEST_F(CodeGenRandom, FormulasOfEverySize) {
  for (int seed = FirstSeed; seed < FirstSeed + SeedCount; ++seed) {
    // min and max as inline FCMOV code for odd seeds, as routines for even ones.
    HasFCMOV = seed % 2 != 0;
    TGenerator g(static_cast<uint32_t>(seed));
    for (int budget : {2, 5, 12, 30, 80, 250}) {
      const TPiece f = g.Formula(budget);
      SCOPED_TRACE("seed " + std::to_string(seed) + " budget " + std::to_string(budget));
      Check(f);
      if (HasFailure()) return;
    }
  }
}

TEST_F(CodeGenRandom, NonFiniteResultsKeepTheirClass) {
  HasFCMOV = true;
  struct TCase {
    const char* Text;
    int Class;  // 0 NaN, 1 +inf, -1 -inf
  };
  const TCase cases[] = {
      {"sqrt(-1-sqr(x))", 0}, {"1/(x-x)", 1}, {"-1/(x-x)", -1},           {"ln(x-x)", -1},
      {"ln(x-x)*(-1)+y", 1},  {"0/(x-x)", 0}, {"exp(1000000*sqr(x))", 1}, {"power(x-x,-1)", 1},
  };
  for (const TCase& c : cases)
    for (int options = 0; options < 144; ++options) {
      TKCompiler k;
      AddGrapherBuiltins(&k);
      k.SetAutoCompile(false);
      Configure(k, options, 0);
      k.SetExpression(c.Text);
      k.Compile();
      ASSERT_EQ(k.CompError(), eNone) << c.Text;
      Cells.x = 2;
      Cells.y = 3;
      const TEvalResult r = EvaluateChecked(k);
      ASSERT_TRUE(r.RegistersKept && r.StackClean) << c.Text;
      if (c.Class == 0)
        EXPECT_TRUE(std::isnan(r.Value)) << c.Text << " options " << options;
      else
        EXPECT_TRUE(std::isinf(r.Value) && (r.Value > 0) == (c.Class > 0)) << c.Text << " options " << options;
    }
}

}  // namespace

int main(int argc, char** argv) {
  ::testing::InitGoogleTest(&argc, argv);
  SeedCount = testsupport::EmulatedCaseCount(SeedCount, 4, "seeds");
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], "--seeds=", 8) == 0) SeedCount = std::atoi(argv[i] + 8);
    if (std::strncmp(argv[i], "--first=", 8) == 0) FirstSeed = std::atoi(argv[i] + 8);
  }
  return RUN_ALL_TESTS();
}
