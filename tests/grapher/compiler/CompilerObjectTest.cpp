// The compiler object as the grapher uses it: a template compiler lends its
// built-ins to formula compilers it owns; constants folded while parsing and
// the built-in bodies behave in compiled code as they do when called alone.
#include <gtest/gtest.h>

#include <cmath>

#include "Emulation.h"
#include "FrontTestSupport.h"
#include "compiler/KCompiler.h"
#include "compiler/KLib.h"

using namespace kx;

namespace {

class GrapherCompilers : public ::testing::Test {
 protected:
  GrapherCompilers() : grapherWord_(0x133F) {
    AddGrapherBuiltins(&templateCompiler_);
    templateCompiler_.SetAutoCompile(false);
  }

  TKCompiler* Formula(const std::string& text) {
    auto* compiler = new TKCompiler(&templateCompiler_);
    compiler->SetAutoCompile(false);
    compiler->SetFunctions(templateCompiler_.Functions());
    compiler->AddVariable("x", tcF80, &x_);
    compiler->SetExpression(text);
    compiler->Compile();
    return compiler;
  }

  long double At(TKCompiler* compiler, long double value) {
    x_ = value;
    return compiler->Calculate();
  }

  TControlWord grapherWord_;  // the grapher's own control word: every exception masked
  TKCompiler templateCompiler_;
  long double x_ = 0;
};

TEST_F(GrapherCompilers, FormulasShareTheTemplatesTable) {
  TKCompiler* f = Formula("sin(x)+power(x,2)");
  EXPECT_EQ(f->CompError(), eNone);
  EXPECT_EQ(f->Functions(), templateCompiler_.Functions());
  EXPECT_EQ(f->Owner(), &templateCompiler_);
  EXPECT_PRED_FORMAT2(testsupport::TrigEq, At(f, 0.5L), std::sin(0.5L) + 0.25L);
  EXPECT_PRED_FORMAT2(testsupport::TrigEq, At(f, -3), std::sin(-3.0L) + 9);
}

TEST_F(GrapherCompilers, FoldedCallsBecomeConstants) {
  TKCompiler* f = Formula("sin(0.5)*x+LogN(2,8)");
  EXPECT_EQ(f->CompError(), eNone);
  EXPECT_LE(std::fabs(At(f, 2) - (std::sin(0.5L) * 2 + 3)), 5 * testsupport::TrigTolerance(1e-18L));
}

TEST_F(GrapherCompilers, TruncationAfterAMaskedFault) {
  // sqrt of a negative number leaves the invalid-operation flag set in the
  // grapher's masked mode; the truncation that follows must not trap on it.
  TKCompiler* root = Formula("sqrt(x)");
  TKCompiler* whole = Formula("Int(x)");
  TKCompiler* fraction = Formula("Frac(x)");
  EXPECT_TRUE(std::isnan(At(root, -1)));
  EXPECT_EQ(At(whole, -2.5L), -2);
  EXPECT_EQ(At(fraction, -2.5L), -0.5L);
  EXPECT_TRUE(std::isinf(At(Formula("1/x"), 0)));
  EXPECT_EQ(At(Formula("Floor(x)"), -1.5L), -1);
}

TEST_F(GrapherCompilers, TrigonometryBeyondItsRange) {
  for (const char* text : {"sin(x)", "cos(x)", "tan(x)", "cotan(x)", "sin(x)*cos(x)+tan(x)"}) {
    TKCompiler* f = Formula(text);
    EXPECT_TRUE(std::isnan(At(f, 1e19L))) << text;
    EXPECT_TRUE(std::isnan(At(f, -1e300L))) << text;
    EXPECT_TRUE(std::isfinite(At(f, 1))) << text;
  }
}

TEST_F(GrapherCompilers, PowerAndExpAtTheEdges) {
  TKCompiler* f = Formula("power(x,3000000001)");
  EXPECT_EQ(At(f, -2), -INFINITY);
  EXPECT_EQ(At(f, -1), -1);
  EXPECT_EQ(At(Formula("power(-1,x)"), 2147483648.0L), 1);
  EXPECT_EQ(At(Formula("exp(x)"), INFINITY), INFINITY);
  EXPECT_EQ(At(Formula("exp(x)"), -INFINITY), 0);
  EXPECT_EQ(At(Formula("power(x,-0.5)"), 0), INFINITY);
}

TEST_F(GrapherCompilers, DomainErrorStillCompiles) {
  TKCompiler* f;
  {
    TControlWord trapping(0x1332);
    f = Formula("x+sqrt(-1)");
  }
  EXPECT_EQ(f->CompError(), eDomain);
  EXPECT_FALSE(f->HasError());
  EXPECT_EQ(At(f, 5), 5);
}

class TCountedCompiler : public TKCompiler {
 public:
  TCountedCompiler(kx::TComponent* owner, int& freed) : TKCompiler(owner), freed_(freed) {}
  ~TCountedCompiler() override { ++freed_; }

 private:
  int& freed_;
};

TEST(Compilers, TemplateFreesItsFormulas) {
  int freed = 0;
  auto templateCompiler = std::make_unique<TKCompiler>(nullptr);
  new TCountedCompiler(templateCompiler.get(), freed);
  delete new TCountedCompiler(templateCompiler.get(), freed);  // freed early, as the grapher does
  new TCountedCompiler(templateCompiler.get(), freed);
  EXPECT_EQ(templateCompiler->ComponentCount(), 2);
  templateCompiler.reset();
  EXPECT_EQ(freed, 3);
}

}  // namespace
