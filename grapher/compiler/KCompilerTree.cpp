// Expression trees: building from the coded operand string, rebalancing, negation
// pushing, register needs and the planning of calls that must run ahead.
#include "compiler/KCompilerTree.h"

#include <algorithm>
#include <cstring>

namespace kx {

uint32_t ReadCode32(const std::string& s, size_t pos) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; --i) v = (v << 8) | static_cast<uint8_t>(s[pos + i]);
  return v;
}

void AppendCode32(std::string& s, uint32_t value) {
  for (int i = 0; i < 4; ++i) s.push_back(static_cast<char>((value >> (8 * i)) & 0xFF));
}

bool IsOperatorNode(const TTreeNode* node) { return node->Left != nullptr; }

size_t CodedItemLength(const std::string& s, size_t pos) {
  const char c = s[pos];
  if (c == ckArgTree || c == ckVar || c == ckArgNode || c == ckCall) return 5;
  if (c == ckConst && pos + 1 < s.size() && static_cast<uint8_t>(s[pos + 1]) < 7) return 10;
  return 1;
}

namespace {

bool IsChainOp(const TTreeNode* n, char a, char b) {
  // A negated node keeps its sign only as a whole; it ends the chain.
  return IsOperatorNode(n) && !n->Negate && (n->Text[0] == a || n->Text[0] == b);
}

std::vector<TTreeNode*> ListChain(TTreeNode* top, char a, char b) {
  std::vector<TTreeNode*> arr;
  for (TTreeNode* n = top; n && IsChainOp(n, a, b); n = n->Left) arr.push_back(n);
  return arr;
}

// Pairs neighbouring chain nodes from index k down to the top: arr[k] takes
// arr[k-1] as its right operand, so a chain of n nodes halves.
void PairSumChain(std::vector<TTreeNode*>& arr, int& k) {
  while (k > 0) {
    if (arr[k]->Text[0] == '-') arr[k - 1]->Text[0] = arr[k - 1]->Text[0] == '+' ? '-' : '+';
    TTreeNode* parent = arr[k - 1];
    parent->Left = arr[k]->Right;
    arr[k]->Right = parent;
    arr[k]->Left = arr[k + 1];
    arr[k - 1] = arr[k];
    k -= 2;
  }
}

// Exchanges the places of chain nodes i and j; each keeps its operator and right operand.
void SwapChainNodes(std::vector<TTreeNode*>& arr, size_t i, size_t j) {
  const size_t last = arr.size() - 1;
  TTreeNode* bottom = arr[last]->Left;
  std::swap(arr[i], arr[j]);
  for (size_t m = 0; m < last; ++m) arr[m]->Left = arr[m + 1];
  arr[last]->Left = bottom;
}

}  // namespace

KX_PUBLISH(TBuilder) {}

TBuilder::~TBuilder() { FreeAllTrees(); }

void TBuilder::FreeTree(TTreeNode* node) {
  if (!node) return;
  FreeTree(node->Left);
  FreeTree(node->Right);
  delete node;
}

void TBuilder::FreeAllTrees() {
  for (TTreeNode* t : trees_) FreeTree(t);
  for (TTreeNode* t : argNodes_) FreeTree(t);
  trees_.clear();
  argNodes_.clear();
}

int TBuilder::CountLeaves(const TTreeNode* node) {
  if (!IsOperatorNode(node)) return 1;
  return CountLeaves(node->Left) + CountLeaves(node->Right);
}

int TBuilder::CountOperators(const TTreeNode* node) {
  if (!IsOperatorNode(node)) return 0;
  return 1 + CountOperators(node->Left) + CountOperators(node->Right);
}

uint8_t TBuilder::OperandType(const TTreeNode* n) const {
  if (IsConstNode(n)) return static_cast<uint8_t>(n->Text[1]);
  if (IsVarNode(n)) {
    TVariable v;
    return GetVariable(NodeId(n), v) ? v.VarType : uint8_t{tcF80};
  }
  TFunction f;
  return GetFunction(NodeId(n), f) ? f.ResultType : uint8_t{tcF80};
}

std::vector<std::string> TBuilder::CallArgItems(const TTreeNode* call) {
  std::vector<std::string> items;
  const std::string& t = call->Text;
  for (size_t p = 6; p + 5 <= t.size(); p += 6) items.push_back(t.substr(p, 5));
  return items;
}

void TBuilder::PrepareTrees(const std::string& text) {
  const std::string coded = Parse(text);
  if (HasError()) return;
  BuildConstantPool();
  FreeAllTrees();
  constCopyPos_ = 0;
  nextConst_ = 0;
  BuildTree(coded);
  consts32_.clear();
  consts64_.clear();
  consts80_.clear();
  for (size_t i = trees_.size(); i-- > 0;) {
    PushNegations(trees_[i]);
    ComputeNeed(trees_[i]);
    if (trees_[i]->Need == 0) trees_[i]->Need = 1;
  }
  level_ = 0;
  maxLevel_ = 0;
  PlanNode(trees_[0], 8);
}

int TBuilder::BuildTree(const std::string& coded) {
  const int index = static_cast<int>(trees_.size());
  trees_.push_back(nullptr);
  size_t pos = 0;
  trees_[index] = BuildSum(coded, pos);
  return index;
}

TTreeNode* TBuilder::BuildSum(const std::string& s, size_t& pos) {
  bool negate = false;
  if (pos < s.size() && (s[pos] == '-' || s[pos] == '+')) negate = s[pos++] == '-';
  TTreeNode* first = BuildProduct(s, pos);
  first->Negate ^= negate ? 1 : 0;
  TTreeNode* tree = BuildChain(first, s, pos, "+-", &TBuilder::BuildProduct);
  if (OutOfOrder() != ooStandart) tree = BalanceSum(tree);
  return tree;
}

TTreeNode* TBuilder::BuildProduct(const std::string& s, size_t& pos) {
  TTreeNode* tree = BuildChain(BuildOperand(s, pos), s, pos, "*/", &TBuilder::BuildOperand);
  if (OutOfOrder() != ooStandart) tree = BalanceProduct(tree);
  return tree;
}

TTreeNode* TBuilder::BuildChain(TTreeNode* tree, const std::string& s, size_t& pos, const char (&ops)[3],
                                TTreeNode* (TBuilder::*next)(const std::string&, size_t&)) {
  while (pos < s.size() && (s[pos] == ops[0] || s[pos] == ops[1])) {
    auto* node = new TTreeNode;
    node->Text = std::string(1, s[pos++]);
    node->Left = tree;
    tree = node;
    node->Right = (this->*next)(s, pos);
  }
  return tree;
}

TTreeNode* TBuilder::BuildOperand(const std::string& s, size_t& pos) {
  const char c = s[pos];
  if (c == '(') {
    ++pos;
    TTreeNode* inner = BuildSum(s, pos);
    if (pos < s.size() && s[pos] == ')') ++pos;
    return inner;
  }
  if (c == ckCall) return BuildCall(s, pos);
  auto* node = new TTreeNode;
  if (c == ckVar) {
    node->Text = s.substr(pos, 5);
    pos += 5;
    return node;
  }
  // A float constant: the next entry of the constant stack, found in the pool.
  ++pos;
  const uint8_t size = constCopySizes_[constCopyPos_];
  const uint8_t* bytes = constCopy_.data() + nextConst_;
  uint8_t type;
  uint32_t offset;
  if (size == 4) {
    float v;
    std::memcpy(&v, bytes, 4);
    type = tcF32;
    offset = LookupConstant32(v);
  } else if (size == 8) {
    double v;
    std::memcpy(&v, bytes, 8);
    type = tcF64;
    offset = LookupConstant64(v);
  } else {
    long double v = 0;
    std::memcpy(&v, bytes, 10);
    type = tcF80;
    offset = LookupConstant80(v);
  }
  nextConst_ += size;
  ++constCopyPos_;
  node->Text = std::string(1, ckConst) + static_cast<char>(type);
  AppendCode32(node->Text, offset);
  return node;
}

TTreeNode* TBuilder::BuildCall(const std::string& s, size_t& pos) {
  auto* node = new TTreeNode;
  node->Text = s.substr(pos, 5);
  pos += 5;
  if (pos >= s.size() || s[pos] != '(') return node;
  // Cut the argument list at the commas of depth 0.
  std::vector<std::string> pieces;
  std::string piece;
  int depth = 0;
  ++pos;
  while (pos < s.size()) {
    const size_t len = CodedItemLength(s, pos);
    const char c = s[pos];
    if (len == 1 && c == ')' && depth == 0) {
      ++pos;
      break;
    }
    if (len == 1 && c == ',' && depth == 0) {
      pieces.push_back(piece);
      piece.clear();
      ++pos;
      continue;
    }
    if (len == 1 && c == '(') ++depth;
    if (len == 1 && c == ')') --depth;
    piece += s.substr(pos, len);
    pos += len;
  }
  pieces.push_back(piece);

  TFunction f;
  GetFunction(NodeId(node), f);
  node->Text += '(';
  for (size_t i = 0; i < pieces.size() && i < f.Params.size(); ++i) {
    if (i > 0) node->Text += ',';
    const TVarDefItem& param = f.Params[i];
    if (IsFloatType(param.TypeCode) && !param.ByRef) {
      const int tree = BuildTree(pieces[i]);
      node->Text += ckArgTree;
      AppendCode32(node->Text, static_cast<uint32_t>(tree));
      continue;
    }
    const std::string& p = pieces[i];
    TTreeNode* arg;
    if (param.ByRef) {
      arg = new TTreeNode;
      arg->Text = std::string(1, ckVar);
      AppendCode32(arg->Text, FindVariable(p));
    } else {
      size_t at = 0;
      const bool negate = !p.empty() && p[0] == '-';
      if (negate) at = 1;
      if (p[at] == ckCall) {
        arg = BuildCall(p, at);
      } else {
        arg = new TTreeNode;
        arg->Text = p.substr(at, CodedItemLength(p, at));
      }
      arg->Negate = negate ? 1 : 0;
    }
    argNodes_.push_back(arg);
    node->Text += ckArgNode;
    AppendCode32(node->Text, static_cast<uint32_t>(argNodes_.size() - 1));
  }
  node->Text += ')';
  return node;
}

TTreeNode* TBuilder::BalanceSum(TTreeNode* top) {
  int pass = 0;
  for (;;) {
    std::vector<TTreeNode*> arr = ListChain(top, '+', '-');
    const int n = static_cast<int>(arr.size());
    if (n == 0) break;
    int k = n - pass - 2;
    PairSumChain(arr, k);
    if (k == 0) arr[0]->Left = arr[1];
    top = arr[0];
    ++pass;
    if ((n + 1) / 2 - pass < 3) break;
  }
  return top;
}

TTreeNode* TBuilder::BalanceProduct(TTreeNode* top) {
  int pass = 0;
  for (;;) {
    std::vector<TTreeNode*> arr = ListChain(top, '*', '/');
    const int n = static_cast<int>(arr.size());
    if (n == 0) break;
    auto isDiv = [&](int i) { return arr[i]->Text[0] == '/'; };
    const int low = n - pass - 1;
    if (low >= 0 && isDiv(low)) {
      int j = 0;
      while (j < n && isDiv(j)) ++j;
      if (j < low) SwapChainNodes(arr, j, low);
    }
    // Multiplications above divisions in arr[0 .. n-pass-2].
    int topIdx = 0, bottom = n - pass - 2;
    for (;;) {
      while (bottom >= 0 && isDiv(bottom)) --bottom;
      while (topIdx < n - pass - 1 && !isDiv(topIdx)) ++topIdx;
      if (topIdx >= bottom) break;
      SwapChainNodes(arr, topIdx, bottom);
    }
    int k = n - pass - 2;
    if (k == 0 && isDiv(0) && isDiv(1)) {
      arr[0]->Text[0] = '*';
      arr[0]->Left = arr[1]->Right;
      arr[1]->Right = arr[0];
      arr[0] = arr[1];
      k = -1;
    }
    while (k > 0) {
      if (isDiv(k)) {
        if (!isDiv(k - 1))
          SwapChainNodes(arr, k, k - 1);
        else
          arr[k - 1]->Text[0] = '*';
      }
      TTreeNode* parent = arr[k - 1];
      parent->Left = arr[k]->Right;
      arr[k]->Right = parent;
      arr[k]->Left = arr[k + 1];
      arr[k - 1] = arr[k];
      k -= 2;
    }
    if (k == 0) arr[0]->Left = arr[1];
    top = arr[0];
    ++pass;
    if ((n + 1) / 2 - pass < 3) break;
  }
  return top;
}

void TBuilder::PushNegations(TTreeNode* node) {
  if (!IsOperatorNode(node)) return;
  PushNegations(node->Left);
  PushNegations(node->Right);
  const bool ln = node->Left->Negate != 0;
  const bool rn = node->Right->Negate != 0;
  char& op = node->Text[0];
  if (op == '*' || op == '/') {
    node->Negate = static_cast<uint8_t>(node->Left->Negate ^ node->Negate ^ node->Right->Negate);
  } else if (op == '+') {
    if (ln && rn) {
      node->Negate ^= 1;
    } else if (rn) {
      op = '-';
    } else if (ln) {
      op = '-';
      std::swap(node->Left, node->Right);
    }
    // A difference never carries a sign of its own: -(a-b) is b-a.
    if (op == '-' && node->Negate) {
      node->Negate = 0;
      std::swap(node->Left, node->Right);
    }
  } else {
    if (node->Negate) {
      node->Negate = 0;
      std::swap(node->Left, node->Right);
    }
    const bool l2 = node->Left->Negate != 0;
    const bool r2 = node->Right->Negate != 0;
    if (l2 && r2) {
      std::swap(node->Left, node->Right);
    } else if (r2) {
      op = '+';
    } else if (l2) {
      op = '+';
      node->Negate = 1;
      std::swap(node->Left, node->Right);
    }
  }
  node->Left->Negate = 0;
  node->Right->Negate = 0;
}

void TBuilder::ComputeNeed(TTreeNode* node) {
  if (IsOperatorNode(node)) {
    ComputeNeed(node->Left);
    ComputeNeed(node->Right);
    const int l = node->Left->Need, r = node->Right->Need;
    node->Need = std::max(l, r) + (l == r ? 1 : 0);
    return;
  }
  if (IsConstNode(node)) {
    node->Need = static_cast<uint8_t>(node->Text[1]) == tcF80 ? 1 : 0;
    return;
  }
  const uint8_t t = OperandType(node);
  node->Need = (t == tcU32 || t == tcI64 || t == tcF80) ? 1 : 0;
}

int TBuilder::ComputeCallNeed(TTreeNode* node) {
  if (IsOperatorNode(node)) {
    node->CallNeed = std::max(ComputeCallNeed(node->Left), ComputeCallNeed(node->Right));
  } else if (IsCallNode(node)) {
    // Calls with an ordinal result are always computed a level ahead.
    node->Hoisted = 1;
    ++level_;
    maxLevel_ = std::max(maxLevel_, level_);
    const int argNeed = PlanCallArgs(node, 8);
    --level_;
    node->CallNeed = std::max(FunctionFPUNeed(NodeId(node)), argNeed);
  } else {
    node->CallNeed = 0;
  }
  return node->CallNeed;
}

void TBuilder::PlanHoistedArgs(TTreeNode* call) {
  ++level_;
  maxLevel_ = std::max(maxLevel_, level_);
  PlanCallArgs(call, 8);
  --level_;
}

void TBuilder::PlanNode(TTreeNode* node, int budget) {
  if (IsOperatorNode(node)) {
    PlanNode(node->Left, budget);
    PlanNode(node->Right, budget);
    auto combine = [](TTreeNode* n) {
      const int l = n->Left->CallNeed, r = n->Right->CallNeed;
      n->CallNeed = std::max(l, r) + (l == r ? 1 : 0);
    };
    combine(node);
    while (node->CallNeed > budget && node->CallNeed > node->Need) {
      if (node->Left->CallNeed < budget)
        HoistCall(node->Right);
      else if (node->Right->CallNeed < budget)
        HoistCall(node->Left);
      else
        HoistCall(node);
      combine(node);
    }
    return;
  }
  if (!IsCallNode(node)) {
    node->CallNeed = node->Need;
    return;
  }
  TFunction f;
  GetFunction(NodeId(node), f);
  if (IsFloatType(f.ResultType)) {
    node->Hoisted = 0;
    node->CallNeed = 8;
    const int argNeed = PlanCallArgs(node, 8);
    if (argNeed < 8) node->CallNeed = std::max(argNeed, FunctionFPUNeed(NodeId(node)));
  } else {
    node->Hoisted = 1;
    node->CallNeed = node->Need;
    PlanHoistedArgs(node);
  }
}

void TBuilder::HoistCall(TTreeNode* node) {
  if (IsOperatorNode(node)) {
    const int dl = node->Left->CallNeed - node->Left->Need;
    const int dr = node->Right->CallNeed - node->Right->Need;
    HoistCall(dr > dl ? node->Right : node->Left);
    const int l = node->Left->CallNeed, r = node->Right->CallNeed;
    node->CallNeed = std::max(l, r) + (l == r ? 1 : 0);
    return;
  }
  if (!IsCallNode(node)) return;
  node->Hoisted = 1;
  node->CallNeed = node->Need;
  PlanHoistedArgs(node);
}

int TBuilder::PlanCallArgs(TTreeNode* call, int budget) {
  TFunction f;
  GetFunction(NodeId(call), f);
  const std::vector<std::string> items = CallArgItems(call);
  int need = 0;
  std::vector<TTreeNode*> x87;
  const int places = f.CallConv == 4 ? 8 - f.ExtraRegs : 0;
  for (size_t i = 0; i < items.size() && i < f.Params.size(); ++i) {
    const uint32_t index = ReadCode32(items[i], 1);
    if (items[i][0] == ckArgTree) {
      TTreeNode* root = trees_[index];
      PlanNode(root, 8);
      root->Hoisted = 0;
      const bool inMemory =
          IsConstNode(root) || (IsVarNode(root) && !root->Negate && OperandType(root) == f.Params[i].TypeCode);
      need = std::max(need, inMemory ? 0 : root->CallNeed);
      if (static_cast<int>(x87.size()) < places) x87.push_back(root);
    } else {
      need = std::max(need, ComputeCallNeed(argNodes_[index]));
    }
  }
  if (x87.empty()) return need;
  auto byNeed = [](const TTreeNode* a, const TTreeNode* b) { return a->CallNeed > b->CallNeed; };
  for (;;) {
    std::stable_sort(x87.begin(), x87.end(), byNeed);
    TTreeNode* best = nullptr;
    for (size_t i = 0; i < x87.size(); ++i) {
      TTreeNode* a = x87[i];
      if (a->CallNeed > budget - static_cast<int>(i) && a->CallNeed - a->Need > 0 &&
          (!best || a->CallNeed - a->Need > best->CallNeed - best->Need))
        best = a;
    }
    if (!best) break;
    HoistCall(best);
  }
  size_t count = x87.size();
  for (size_t i = 1; i < count;) {
    if (x87[i]->CallNeed > budget - static_cast<int>(i)) {
      x87[i]->Hoisted = 1;
      TTreeNode* moved = x87[i];
      x87.erase(x87.begin() + static_cast<std::ptrdiff_t>(i));
      x87.push_back(moved);
      --count;
    } else {
      ++i;
    }
  }
  for (size_t i = 0; i < x87.size(); ++i) {
    const int v = x87[i]->Hoisted ? static_cast<int>(i) + 1 : x87[i]->CallNeed + static_cast<int>(i);
    need = std::max(need, v);
  }
  // A whole argument computed ahead plans its own calls one level higher.
  for (TTreeNode* a : x87)
    if (a->Hoisted && !IsCallNode(a)) {
      ++level_;
      maxLevel_ = std::max(maxLevel_, level_);
      PlanNode(a, 8);
      a->Hoisted = 1;
      --level_;
    }
  return need;
}

}  // namespace kx
