// Small component classes that exercise every stored value kind.
#pragma once

#include "framework/core/Classes.h"
#include "framework/core/Collections.h"
#include "framework/core/Colors.h"
#include "framework/core/Filer.h"
#include "framework/core/Lists.h"

#include <set>
#include <string>
#include <vector>

namespace kx::test {

enum TFontStyle { fsBold, fsItalic, fsUnderline, fsStrikeOut };
KX_ENUM_NAMES(TFontStyle, "fsBold", "fsItalic", "fsUnderline", "fsStrikeOut")
using TFontStyles = TSet<TFontStyle>;

enum TAlign { alNone, alTop, alBottom, alClient };
KX_ENUM_NAMES(TAlign, "alNone", "alTop", "alBottom", "alClient")

extern int liveComponents;
extern std::vector<std::string> journal;  // what happened, in order
extern std::set<const void*> liveItems;   // collection items not yet freed

// Four singles stored as the 16-byte binary property "Coordinates".
class TCoords : public TPersistent {
  KX_CLASS(TCoords, TPersistent)
 public:
  float v[4] = {0, 0, 0, 1};
  float X() const { return v[0]; }
  void SetX(float x) { v[0] = x; }
  void DefineProperties(TFiler& filer) override;
};

class TFaceProps : public TPersistent {
  KX_CLASS(TFaceProps, TPersistent)
 public:
  TCoords* Emission() const { return emission_; }
  ~TFaceProps() override { delete emission_; }

 private:
  TCoords* emission_ = new TCoords;
};

class TMaterial : public TPersistent {
  KX_CLASS(TMaterial, TPersistent)
 public:
  ~TMaterial() override { delete front_; }
  TFaceProps* FrontProperties() const { return front_; }
  const std::string& Name() const { return name_; }
  void SetName(const std::string& s) { name_ = s; }

 private:
  TFaceProps* front_ = new TFaceProps;
  std::string name_;
};

class TFont : public TPersistent {
  KX_CLASS(TFont, TPersistent)
 public:
  TFontStyles Style() const { return style_; }
  void SetStyle(TFontStyles s) { style_ = s; }
  int Size() const { return size_; }
  void SetSize(int s) { size_ = s; }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; }

 private:
  TFontStyles style_;
  int size_ = 8;
  TColor color_ = clWindowText;
};

class TNode;

class TColumn : public TCollectionItem {
  KX_CLASS(TColumn, TCollectionItem)
 public:
  explicit TColumn(TCollection* c) : TCollectionItem(c) { liveItems.insert(this); }
  ~TColumn() override { liveItems.erase(this); }
  const std::string& Title() const { return title_; }
  void SetTitle(const std::string& s) { title_ = s; }
  int Width() const { return width_; }
  void SetWidth(int w) { width_ = w; }
  TNode* Link() const { return link_; }
  void SetLink(TNode* n) {
    if (!liveItems.count(this)) journal.push_back("link set on a freed item");
    link_ = n;
  }

 private:
  std::string title_;
  int width_ = 64;
  TNode* link_ = nullptr;
};

// A component that nests other nodes inside it, as scene nodes and sheets do.
class TNode : public TComponent {
  KX_CLASS(TNode, TComponent)
 public:
  explicit TNode(TComponent* owner);
  ~TNode() override;

  int32_t Left() const { return left_; }
  void SetLeft(int32_t v) {
    left_ = v;
    Touch();
  }
  int8_t Small() const { return small_; }
  void SetSmall(int8_t v) { small_ = v; }
  int64_t Big() const { return big_; }
  void SetBig(int64_t v) { big_ = v; }
  bool Visible() const { return visible_; }
  void SetVisible(bool v) { visible_ = v; }
  float Scale() const { return scale_; }
  void SetScale(float v) { scale_ = v; }
  double Ratio() const { return ratio_; }
  void SetRatio(double v) { ratio_ = v; }
  long double Precise() const { return precise_; }
  void SetPrecise(long double v) { precise_ = v; }
  TAlign Align() const { return align_; }
  void SetAlign(TAlign a) { align_ = a; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& s) {
    caption_ = s;
    Touch();
  }
  TColor Color() const { return color_; }
  void SetColor(TColor c) { color_ = c; }
  TFont* Font() const { return font_; }
  TMaterial* Material() const { return material_; }
  TStringList* Items() const { return items_; }
  TCollection* Columns() const { return columns_; }
  TNode* Buddy() const { return buddy_; }
  void SetBuddy(TNode* n);

  TNotifyEvent OnClick;
  TNotifyEvent OnChange;
  TEvent<TObject*, int> OnTab;

  // Stored as "Pages": a list of identifiers kept until Loaded.
  std::vector<std::string> pageNames;
  int parentSetAfterProps = -1;  // properties already read when the parent came
  int propsRead = 0;

  TNode* ParentNode() const { return parent_; }
  const std::vector<TNode*>& Kids() const { return kids_; }

  void SetParentComponent(TComponent* parent) override;
  TComponent* GetParentComponent() const override { return parent_; }
  void GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) override;
  void DefineProperties(TFiler& filer) override;

 protected:
  void Notification(TComponent* c, TOperation op) override;
  void Loaded() override;

 private:
  void Touch();  // counts a property read and raises OnChange
  int32_t left_ = 0;
  int8_t small_ = 0;
  int64_t big_ = 0;
  bool visible_ = true;
  float scale_ = 1;
  double ratio_ = 0;
  long double precise_ = 0;
  TAlign align_ = alNone;
  std::string caption_;
  TColor color_ = clBtnFace;
  TFont* font_ = new TFont;
  TMaterial* material_ = new TMaterial;
  TStringList* items_ = new TStringList;
  TCollection* columns_;
  TNode* buddy_ = nullptr;
  TNode* parent_ = nullptr;
  std::vector<TNode*> kids_;
};

// A plain component at the top level of a form (no parent).
class TTimer : public TComponent {
  KX_CLASS(TTimer, TComponent)
 public:
  explicit TTimer(TComponent* owner) : TComponent(owner) { ++liveComponents; }
  ~TTimer() override { --liveComponents; }
  int Interval() const { return interval_; }
  void SetInterval(int v) { interval_ = v; }
  int16_t Cursor() const { return cursor_; }
  void SetCursor(int16_t v) { cursor_ = v; }
  TNotifyEvent OnTimer;

 private:
  int interval_ = 1000;
  int16_t cursor_ = 0;
};

class TTestForm : public TComponent {
  KX_CLASS(TTestForm, TComponent)
 public:
  explicit TTestForm(TComponent* owner) : TComponent(owner) { ++liveComponents; }
  ~TTestForm() override { --liveComponents; }
  const std::string& Caption() const { return caption_; }
  void SetCaption(const std::string& s) { caption_ = s; }

  void ButtonClick(TObject* sender) { clicks.push_back(sender); }
  void TabActive(TObject* sender, int index) { tabs.emplace_back(sender, index); }
  void Changed(TObject* sender) { changes.push_back(sender); }
  std::vector<TObject*> clicks;
  std::vector<std::pair<TObject*, int>> tabs;
  std::vector<TObject*> changes;

 protected:
  void Loaded() override;

 private:
  std::string caption_;
};

void RegisterTestClasses();

}  // namespace kx::test
