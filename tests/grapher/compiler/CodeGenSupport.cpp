#include "CodeGenSupport.h"

#include <cstdio>
#include <cstring>

#include "compiler/KLib.h"

namespace kx {

void RegisterBuiltins(TCtrlBlck& c) {
  AddMin(&c, "min");
  AddMax(&c, "max");
  AddSin(&c, "sin");
  AddCos(&c, "cos");
  AddExp(&c, "exp");
  AddSqr(&c, "sqr");
  AddSqrt(&c, "sqrt");
  AddLn(&c, "ln");
  AddAbs(&c, "abs");
  AddTan(&c, "tan");
  AddCotan(&c, "cotan");
  AddArcSin(&c, "arcsin");
  AddArcCos(&c, "arccos");
  AddArcTan(&c, "arctan");
  AddArcCotan(&c, "arccotan");
  AddPower(&c, "power");
  AddTrunc(&c, "Int");
  AddTrunc(&c, "Trunc");
  AddTrunc(&c, "Floor");
  AddFrac(&c, "Frac");
  AddRound(&c, "Round");
  AddLog10(&c, "Log10");
  AddLog2(&c, "Log2");
  AddLogN(&c, "LogN");
  AddPi(&c, "Pi");
}

TEvalResult EvaluateChecked(const TKCompiler& compiler) { return EvaluateChecked(compiler.Code()); }

TEvalResult EvaluateChecked(const void* code) {
  uint32_t state[8] = {};
  TEvalResult r;
  KHarnessCall(code, &r.Value, state);
  r.RegistersKept = state[0] == 0x11111111 && state[1] == 0x22222222 && state[2] == 0x33333333 &&
                    state[3] == 0x44444444 && state[4] == 0;
  constexpr uint32_t StackFault = 0x40, Empty = 0x4100;
  r.StackClean = state[5] == 0xFFFF && (state[6] & StackFault) == 0 && state[7] != Empty;
  return r;
}

std::string TProbeCompiler::Render(int tree) const { return RenderNode(trees_[static_cast<size_t>(tree)]); }

std::string TProbeCompiler::RenderNode(const TTreeNode* node) const {
  std::string s;
  if (node->Negate) s += "-";
  if (node->Hoisted) s += "^";
  if (node->Left) return s + "(" + RenderNode(node->Left) + node->Text + RenderNode(node->Right) + ")";
  if (IsVarNode(node)) {
    TVariable v;
    GetVariable(NodeId(node), v);
    return s + v.Name;
  }
  if (IsCallNode(node)) {
    TFunction f;
    GetFunction(NodeId(node), f);
    s += f.Name;
    const std::vector<std::string> items = CallArgItems(node);
    if (!items.empty()) {
      s += "(";
      for (size_t i = 0; i < items.size(); ++i) {
        if (i) s += ",";
        s += "#" + std::to_string(ReadCode32(items[i], 1));
      }
      s += ")";
    }
    return s;
  }
  // A pool constant: its value.
  const uint8_t type = static_cast<uint8_t>(node->Text[1]);
  const uint8_t* p = PoolData() + ReadCode32(node->Text, 2);
  long double v = 0;
  if (type == tcF32) {
    float f;
    std::memcpy(&f, p, 4);
    v = f;
  } else if (type == tcF64) {
    double d;
    std::memcpy(&d, p, 8);
    v = d;
  } else {
    std::memcpy(&v, p, 10);
  }
  char buf[64];
  snprintf(buf, sizeof buf, "%g", static_cast<double>(v));
  return s + buf;
}

std::vector<uint8_t> CodeOf(const TKCompiler& compiler) {
  return std::vector<uint8_t>(compiler.Code(), compiler.Code() + compiler.CodeSize());
}

std::string Hex(const std::vector<uint8_t>& bytes) {
  std::string s;
  char buf[4];
  for (uint8_t b : bytes) {
    snprintf(buf, sizeof buf, "%02X ", b);
    s += buf;
  }
  return s;
}

}  // namespace kx
