#include "CodeGenSupport.h"

#include <cstdio>
#include <cstring>

namespace kx {

TEvalResult EvaluateChecked(const TKCompiler& compiler) { return EvaluateChecked(compiler.Code()); }

TEvalResult EvaluateChecked(const void* code) {
  THarnessCall call{};
  call.Routine = code;
  KHarnessCall(&call);
  TEvalResult r;
  r.Value = call.Result;
  r.RegistersKept = call.RegsKept && call.EspKept;
  r.StackClean = call.Depth == 1 && (call.ExitStatus & X87StackFault) == 0 && call.ResultClass != X87Empty;
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
