#include "TestComponents.h"

#include "framework/core/Streams.h"

#include <algorithm>

namespace kx::test {

int liveComponents = 0;
std::vector<std::string> journal;
std::set<const void*> liveItems;

KX_PUBLISH(TCoords) {
  // X, Y, Z are published for code but stored only as the whole vector.
  p.Property("X", &TCoords::X, &TCoords::SetX).NotStored();
}

void TCoords::DefineProperties(TFiler& filer) {
  filer.DefineBinaryProperty(
      "Coordinates",
      [this](TStream& s) {
        if (s.Size() != sizeof v) throw EReadError("Coordinates must be 16 bytes");
        s.ReadBuffer(v, sizeof v);
      },
      [this](TStream& s) { s.WriteBuffer(v, sizeof v); }, true);
}

KX_PUBLISH(TFaceProps) { p.Property("Emission", &TFaceProps::Emission, nullptr); }

KX_PUBLISH(TMaterial) {
  p.Property("FrontProperties", &TMaterial::FrontProperties, nullptr);
  p.Property("Name", &TMaterial::Name, &TMaterial::SetName);
}

KX_PUBLISH(TFont) {
  p.Property("Style", &TFont::Style, &TFont::SetStyle);
  p.Property("Size", &TFont::Size, &TFont::SetSize).Default(8);
  p.Color("Color", &TFont::Color, &TFont::SetColor);
}

KX_PUBLISH(TColumn) {
  p.Property("Title", &TColumn::Title, &TColumn::SetTitle);
  p.Property("Width", &TColumn::Width, &TColumn::SetWidth);
  p.Property("Link", &TColumn::Link, &TColumn::SetLink);
}

KX_PUBLISH(TNode) {
  p.Property("Left", &TNode::Left, &TNode::SetLeft);
  p.Property("Small", &TNode::Small, &TNode::SetSmall);
  p.Property("Big", &TNode::Big, &TNode::SetBig);
  p.Property("Visible", &TNode::Visible, &TNode::SetVisible).Default(1);
  p.Property("Scale", &TNode::Scale, &TNode::SetScale);
  p.Property("Ratio", &TNode::Ratio, &TNode::SetRatio);
  p.Property("Precise", &TNode::Precise, &TNode::SetPrecise);
  p.Property("Align", &TNode::Align, &TNode::SetAlign).Default(alNone);
  p.Property("Caption", &TNode::Caption, &TNode::SetCaption);
  p.Color("Color", &TNode::Color, &TNode::SetColor);
  p.Property("Font", &TNode::Font, nullptr);
  p.Property("Material", &TNode::Material, nullptr);
  p.Property("Items", &TNode::Items, nullptr);
  p.Property("Columns", &TNode::Columns, nullptr);
  p.Property("Buddy", &TNode::Buddy, &TNode::SetBuddy);
  p.Field("OnClick", &TNode::OnClick);
  p.Field("OnChange", &TNode::OnChange);
  p.Field("OnTab", &TNode::OnTab);
}

TNode::TNode(TComponent* owner) : TComponent(owner), columns_(new TCollection(this, TCollection::ItemsOf<TColumn>())) {
  ++liveComponents;
}

TNode::~TNode() {
  --liveComponents;
  if (parent_) {
    auto& siblings = parent_->kids_;
    siblings.erase(std::remove(siblings.begin(), siblings.end(), this), siblings.end());
  }
  for (TNode* kid : kids_) kid->parent_ = nullptr;
  delete font_;
  delete material_;
  delete items_;
  delete columns_;
}

void TNode::SetBuddy(TNode* n) {
  if (buddy_) buddy_->RemoveFreeNotification(this);
  buddy_ = n;
  if (buddy_) buddy_->FreeNotification(this);
}

void TNode::Notification(TComponent* c, TOperation op) {
  TComponent::Notification(c, op);
  if (op == opRemove && c == buddy_) buddy_ = nullptr;
}

void TNode::SetParentComponent(TComponent* parent) {
  parentSetAfterProps = propsRead;
  journal.push_back("parent " + Name() + " <- " + (parent ? parent->Name() : std::string("nil")));
  if (auto* node = dynamic_cast<TNode*>(parent)) {
    parent_ = node;
    node->kids_.push_back(this);
  }
}

void TNode::GetChildren(const std::function<void(TComponent*)>& proc, TComponent* root) {
  TComponent::GetChildren(proc, root);
  for (TNode* kid : kids_) proc(kid);
}

void TNode::DefineProperties(TFiler& filer) {
  TComponent::DefineProperties(filer);
  filer.DefineProperty(
      "Pages",
      [this](TReader& r) {
        pageNames.clear();
        r.ReadListBegin();
        while (!r.EndOfList()) pageNames.push_back(r.ReadIdent());
        r.ReadListEnd();
      },
      [this](TWriter& w) {
        w.WriteListBegin();
        for (const std::string& n : pageNames) w.WriteIdent(n);
        w.WriteListEnd();
      },
      !pageNames.empty());
}

void TNode::Touch() {
  ++propsRead;
  OnChange(this);
}

void TNode::Loaded() {
  TComponent::Loaded();
  journal.push_back("loaded " + Name() + (buddy_ ? " buddy " + buddy_->Name() : std::string()));
}

const TIdentMapEntry kCursors[] = {{0, "crDefault"}, {-21, "crHandPoint"}, {0, nullptr}};

KX_PUBLISH(TTimer) {
  p.Property("Interval", &TTimer::Interval, &TTimer::SetInterval);
  p.Property("Cursor", &TTimer::Cursor, &TTimer::SetCursor).Idents(kCursors);
  p.Field("OnTimer", &TTimer::OnTimer);
}

KX_PUBLISH(TTestForm) {
  p.Property("Caption", &TTestForm::Caption, &TTestForm::SetCaption);
  p.Handler("ButtonClick", &TTestForm::ButtonClick);
  p.Handler("TabActive", &TTestForm::TabActive);
  p.Handler("Changed", &TTestForm::Changed);
}

void TTestForm::Loaded() {
  TComponent::Loaded();
  journal.push_back("loaded " + Name());
}

void RegisterTestClasses() {
  RegisterClasses({&TNode::StaticClass(), &TTimer::StaticClass(), &TTestForm::StaticClass()});
}

}  // namespace kx::test
