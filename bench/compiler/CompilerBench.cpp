// Evaluations per second of compiled formulas against the same formulas written
// in C++ and walked by an interpreter, and compiles per second.
//
// bench_compiler [evaluations]   (default 2000000 per formula)
// In the emulated machine it says so: x87 arithmetic is done in software
// there, and its ratios do not carry over to a real processor.
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "Interpreter.h"
#ifdef KX_BENCH_MUPARSER
#include <muParser.h>
#endif
#include "compiler/KCompiler.h"
#include "compiler/KCompilerCode.h"
#include "compiler/KLib.h"

using namespace kx;

namespace {

long double X, Y;

using THand = long double (*)();

__attribute__((noinline)) long double Poly() { return 2 * X * X * X - 3 * X * X + 5 * X - 7; }
__attribute__((noinline)) long double Trig() { return sinl(X) * cosl(Y) + sqrtl(X * X + Y * Y); }
__attribute__((noinline)) long double PowExp() { return X * X * X - 2 * X + expl(-X * X); }
__attribute__((noinline)) long double MinMax() {
  const long double mn = Y < X ? Y : X, mx = Y > X ? Y : X, p = X * Y;
  return mn * mx + (1 < p ? 1 : p);
}
__attribute__((noinline)) long double Long() {
  return (X + 1) * (Y - 2) / (X * X + Y * Y + 1) + sinl(X * Y) * cosl(X - Y) + sqrtl(fabsl(X * Y) + 1) -
         expl(-(X * X + Y * Y) / 10) + X * X * 0.5L - Y * Y * Y * 0.25L + logl(X * X + 1) - atanl(Y / (fabsl(X) + 1)) +
         (X - Y) * (X + Y) * (2 * X - 3 * Y) / (X * X * Y * Y + 2) + sqrtl(X * X + 1) * cosl(Y / 2) -
         (X * Y) * (X * Y) / (1 + Y * Y) + sinl(X + Y) * expl(-fabsl(Y));
}

// A sum of products nested four deep over distinct leaves: it needs more than
// eight registers.
template <int D, int I>
inline long double Nest() {
  if constexpr (D == 0)
    return X * ((I % 61 + 1) / 8.0L) + Y;
  else
    return Nest<D - 1, 4 * I>() * Nest<D - 1, 4 * I + 1>() + Nest<D - 1, 4 * I + 2>() * Nest<D - 1, 4 * I + 3>();
}
__attribute__((noinline)) long double Spill() { return Nest<4, 0>(); }

std::string NestText(int d, int i) {
  if (d == 0) {
    char leaf[32];
    std::snprintf(leaf, sizeof leaf, "(x*%g+y)", (i % 61 + 1) / 8.0);
    return leaf;
  }
  return "(" + NestText(d - 1, 4 * i) + "*" + NestText(d - 1, 4 * i + 1) + "+" + NestText(d - 1, 4 * i + 2) + "*" +
         NestText(d - 1, 4 * i + 3) + ")";
}

struct TCase {
  const char* Name;
  std::string Text;
  THand Hand;
};

#ifdef KX_BENCH_MUPARSER
double PowerFn(double a, double b) { return std::pow(a, b); }
double ArcTanFn(double a) { return std::atan(a); }
#endif

#ifdef KX_BENCH_MUPARSER
constexpr bool HaveMuparser = true;
#else
constexpr bool HaveMuparser = false;
#endif

// A column of figures, or "n/a" where muparser was not built.
std::string Column(const char* format, double value, bool available = true) {
  char text[32];
  std::snprintf(text, sizeof text, format, value);
  return available ? text : "n/a";
}

double Seconds(std::chrono::steady_clock::time_point a, std::chrono::steady_clock::time_point b) {
  return std::chrono::duration<double>(b - a).count();
}

template <typename F>
double NsPerEval(long n, long double& sum, F eval) {
  sum = 0;
  const auto start = std::chrono::steady_clock::now();
  for (long i = 0; i < n; ++i) {
    X = 0.25L + 1e-6L * static_cast<long double>(i);
    Y = 0.75L - 1e-6L * static_cast<long double>(i);
    sum += eval();
  }
  return Seconds(start, std::chrono::steady_clock::now()) * 1e9 / static_cast<double>(n);
}

}  // namespace

int main(int argc, char** argv) {
  const long n = argc > 1 ? std::atol(argv[1]) : 2000000;
  const std::vector<TCase> cases = {
      {"polynomial", "2*x*x*x-3*x*x+5*x-7", Poly},
      {"trig", "sin(x)*cos(y)+sqrt(x*x+y*y)", Trig},
      {"power-exp", "power(x,3)-2*x+exp(-x*x)", PowExp},
      {"min-max", "min(x,y)*max(x,y)+min(x*y,1)", MinMax},
      {"long",
       "(x+1)*(y-2)/(x*x+y*y+1)+sin(x*y)*cos(x-y)+sqrt(abs(x*y)+1)-exp(-(x*x+y*y)/10)+power(x,2)*0.5-power(y,3)*0.25"
       "+ln(x*x+1)-arctan(y/(abs(x)+1))+(x-y)*(x+y)*(2*x-3*y)/(x*x*y*y+2)"
       "+sqrt(x*x+1)*cos(y/2)-power(x*y,2)/(1+y*y)+sin(x+y)*exp(-abs(y))",
       Long},
      {"spilling", NestText(4, 0), Spill},
  };

  HasFCMOV = KProbeFCMOV() != 0;
  const char* emulated = std::getenv("KX_EMULATED");
  if (emulated && *emulated && *emulated != '0')
    std::printf(
        "Running in the emulated machine: x87 arithmetic is done in software there, so the ratios against C++\n"
        "and the interpreter do not carry over to a real processor.\n");
  std::printf("%-11s %6s %10s %10s %10s %10s %8s %8s %8s %10s\n", "formula", "chars", "compiled", "C++", "interp",
              "muparser", "vs C++", "interp/", "mupars/", "compiles/s");
  double logHand = 0, logInterp = 0, logMu = 0;
  bool allMatch = true;
  for (const TCase& c : cases) {
    TKCompiler k;
    k.SetAutoCompile(false);
    AddGrapherBuiltins(&k);
    k.AddVariable("x", tcF80, &X);
    k.AddVariable("y", tcF80, &Y);
    k.SetExpression(c.Text);
    const int compiles = 2000;
    const auto t0 = std::chrono::steady_clock::now();
    for (int i = 0; i < compiles; ++i) k.Compile();
    const double compileRate = compiles / Seconds(t0, std::chrono::steady_clock::now());
    if (k.CompError() != eNone) {
      std::printf("%s: compile error %d\n", c.Name, k.CompError());
      return 1;
    }
    TInterpreter interp;
    interp.Bind("x", &X);
    interp.Bind("y", &Y);
    if (!interp.Parse(c.Text)) {
      std::printf("%s: interpreter cannot parse\n", c.Name);
      return 1;
    }
    long double sumCompiled, sumHand, sumInterp;
    const double tc = NsPerEval(n, sumCompiled, [&] { return k.Calculate(); });
    const double th = NsPerEval(n, sumHand, c.Hand);
    const double ti = NsPerEval(n, sumInterp, [&] { return interp.Evaluate(); });
    bool match = fabsl(sumCompiled - sumHand) <= 1e-9L * fabsl(sumHand) + 1e-9L &&
                 fabsl(sumInterp - sumHand) <= 1e-9L * fabsl(sumHand) + 1e-9L;
    double tm = 0;
#ifdef KX_BENCH_MUPARSER
    double mx = 0, my = 0;
    mu::Parser mp;
    mp.DefineVar("x", &mx);
    mp.DefineVar("y", &my);
    mp.DefineFun("power", PowerFn);
    mp.DefineFun("arctan", ArcTanFn);
    mp.SetExpr(c.Text);
    long double sumMu;
    tm = NsPerEval(n, sumMu, [&] {
      mx = static_cast<double>(X);
      my = static_cast<double>(Y);
      return static_cast<long double>(mp.Eval());
    });
    match = match && fabsl(sumMu - sumHand) <= 1e-9L * fabsl(sumHand) + 1e-9L;
#endif
    allMatch = allMatch && match;
    std::printf("%-11s %6zu %8.2fns %8.2fns %8.2fns %10s %7.2fx %7.2fx %8s %10.0f%s\n", c.Name, c.Text.size(), tc, th,
                ti, Column("%.2fns", tm, HaveMuparser).c_str(), tc / th, ti / tc,
                Column("%.2fx", tm / tc, HaveMuparser).c_str(), compileRate, match ? "" : "  SUMS DIFFER");
    logHand += std::log(tc / th);
    logInterp += std::log(ti / tc);
    logMu += tm > 0 ? std::log(tm / tc) : 0;
  }
  const double m = static_cast<double>(cases.size());
  std::printf("geometric mean: compiled/C++ %.2fx, interpreter/compiled %.2fx, muparser/compiled %s\n",
              std::exp(logHand / m), std::exp(logInterp / m),
              Column("%.2fx", std::exp(logMu / m), HaveMuparser).c_str());
  return allMatch ? 0 : 1;
}
