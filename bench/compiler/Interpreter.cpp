#include "Interpreter.h"

#include <cctype>
#include <cmath>
#include <cstdlib>

struct TInterpreter::TNode {
  enum TKind { kConst, kVar, kNeg, kAdd, kSub, kMul, kDiv, kCall } Kind = kConst;
  long double Value = 0;
  const long double* Cell = nullptr;
  long double (*Fn)(long double, long double) = nullptr;  // a call's function, resolved while parsing
  std::vector<std::shared_ptr<TNode>> Args;
};

namespace {

using TNodeP = std::shared_ptr<TInterpreter::TNode>;
using TNode = TInterpreter::TNode;

struct TBuiltin {
  const char* Name;
  long double (*Fn)(long double, long double);
};

const TBuiltin Builtins[] = {
    {"sin", [](long double a, long double) { return sinl(a); }},
    {"cos", [](long double a, long double) { return cosl(a); }},
    {"sqrt", [](long double a, long double) { return sqrtl(a); }},
    {"sqr", [](long double a, long double) { return a * a; }},
    {"abs", [](long double a, long double) { return fabsl(a); }},
    {"exp", [](long double a, long double) { return expl(a); }},
    {"ln", [](long double a, long double) { return logl(a); }},
    {"arctan", [](long double a, long double) { return atanl(a); }},
    {"power", [](long double a, long double b) { return powl(a, b); }},
    {"min", [](long double a, long double b) { return b < a ? b : a; }},
    {"max", [](long double a, long double b) { return b > a ? b : a; }},
    {"Pi", [](long double, long double) { return 3.14159265358979323846264338327950288L; }},
};

struct TParser {
  const std::string& S;
  size_t P = 0;
  const std::vector<std::pair<std::string, const long double*>>& Vars;
  bool Ok = true;

  char Peek() const { return P < S.size() ? S[P] : '\0'; }

  TNodeP Make(TNode::TKind k, TNodeP a = nullptr, TNodeP b = nullptr) {
    auto n = std::make_shared<TNode>();
    n->Kind = k;
    if (a) n->Args.push_back(a);
    if (b) n->Args.push_back(b);
    return n;
  }

  TNodeP Sum() {
    bool negate = false;
    while (Peek() == '+' || Peek() == '-') negate ^= S[P++] == '-';
    TNodeP t = Product();
    if (negate) t = Make(TNode::kNeg, t);
    while (Ok && (Peek() == '+' || Peek() == '-')) {
      const bool minus = S[P++] == '-';
      bool neg = false;
      while (Peek() == '+' || Peek() == '-') neg ^= S[P++] == '-';
      TNodeP r = Product();
      if (neg) r = Make(TNode::kNeg, r);
      t = Make(minus ? TNode::kSub : TNode::kAdd, t, r);
    }
    return t;
  }

  TNodeP Product() {
    TNodeP t = Factor();
    while (Ok && (Peek() == '*' || Peek() == '/')) {
      const bool div = S[P++] == '/';
      t = Make(div ? TNode::kDiv : TNode::kMul, t, Factor());
    }
    return t;
  }

  TNodeP Factor() {
    const char c = Peek();
    if (c == '(') {
      ++P;
      TNodeP t = Sum();
      if (Peek() != ')') Ok = false;
      ++P;
      return t;
    }
    if (std::isdigit(static_cast<unsigned char>(c))) {
      char* end = nullptr;
      auto n = Make(TNode::kConst);
      n->Value = std::strtold(S.c_str() + P, &end);
      P = static_cast<size_t>(end - S.c_str());
      return n;
    }
    if (std::isalpha(static_cast<unsigned char>(c))) {
      const size_t start = P;
      while (std::isalnum(static_cast<unsigned char>(Peek())) || Peek() == '_') ++P;
      const std::string name = S.substr(start, P - start);
      for (const auto& v : Vars)
        if (v.first == name) {
          auto n = Make(TNode::kVar);
          n->Cell = v.second;
          return n;
        }
      auto n = Make(TNode::kCall);
      for (const TBuiltin& b : Builtins)
        if (name == b.Name) n->Fn = b.Fn;
      if (!n->Fn) Ok = false;
      if (Peek() == '(') {
        ++P;
        n->Args.push_back(Sum());
        while (Ok && Peek() == ',') {
          ++P;
          n->Args.push_back(Sum());
        }
        if (Peek() != ')') Ok = false;
        ++P;
      }
      return n;
    }
    Ok = false;
    return Make(TNode::kConst);
  }
};

long double Eval(const TNode& n) {
  switch (n.Kind) {
    case TNode::kConst:
      return n.Value;
    case TNode::kVar:
      return *n.Cell;
    case TNode::kNeg:
      return -Eval(*n.Args[0]);
    case TNode::kAdd:
      return Eval(*n.Args[0]) + Eval(*n.Args[1]);
    case TNode::kSub:
      return Eval(*n.Args[0]) - Eval(*n.Args[1]);
    case TNode::kMul:
      return Eval(*n.Args[0]) * Eval(*n.Args[1]);
    case TNode::kDiv:
      return Eval(*n.Args[0]) / Eval(*n.Args[1]);
    case TNode::kCall:
      break;
  }
  const long double a = n.Args.empty() ? 0 : Eval(*n.Args[0]);
  const long double b = n.Args.size() > 1 ? Eval(*n.Args[1]) : 0;
  return n.Fn(a, b);
}

}  // namespace

void TInterpreter::Bind(const std::string& name, const long double* cell) { vars_.emplace_back(name, cell); }

bool TInterpreter::Parse(const std::string& text) {
  TParser p{text, 0, vars_};
  root_ = p.Sum();
  return p.Ok && p.P == text.size();
}

long double TInterpreter::Evaluate() const { return Eval(*root_); }
