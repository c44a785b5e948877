// The writing pass must fill exactly the room the measuring pass counted: a
// level that comes out longer or shorter refuses the formula instead of running
// code that was cut short or written past its buffer.
#include <gtest/gtest.h>

#include <cmath>

#include "CodeGenSupport.h"

using namespace kx;

namespace {

// Strays from its measured length in every writing pass: x*x copies its
// register once per pass, so every second copy is a writing pass.
class TStrayCompiler : public TKCompiler {
 public:
  explicit TStrayCompiler(int extraBytes) : extra_(extraBytes) {}

 protected:
  void DuplicateReg(int i) override {
    const bool writing = ++copies_ % 2 == 0;
    if (writing && extra_ < 0) return;
    TKCompiler::DuplicateReg(i);
    if (writing)
      for (int k = 0; k < extra_; ++k) EmitBytes({0x90});
  }

 private:
  int extra_;
  int copies_ = 0;
};

TEST(CodeGenPasses, LevelOfAnotherLengthThanMeasuredIsRefused) {
  for (int extra : {1, 6, -1}) {
    TStrayCompiler k(extra);
    k.SetAutoCompile(false);
    long double x = 3;
    k.AddVariable("x", tcF80, &x);
    k.SetExpression("x*x");
    k.Compile();
    EXPECT_EQ(k.CompError(), eValExpected) << extra;
    EXPECT_EQ(CodeOf(k), std::vector<uint8_t>{0xC3}) << extra;
    EXPECT_TRUE(std::isnan(k.Calculate())) << extra;
  }
  // The same formula without straying compiles.
  TStrayCompiler k(0);
  long double x = 3;
  k.AddVariable("x", tcF80, &x);
  k.SetExpression("x*x");
  EXPECT_EQ(k.CompError(), eNone);
  EXPECT_EQ(k.Calculate(), 9.0L);
}

}  // namespace
