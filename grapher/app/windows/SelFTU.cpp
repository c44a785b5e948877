#include "app/windows/SelFTU.h"

#include "app/model/MainU_Funcs.h"
#include "app/windows/HamMauU.h"
#include "app/windows/SelFTU_Logic.h"
#include "framework/core/FormResources.h"
#include "skin/controls/KVButton.h"

namespace kx {

TSelFTypeForm* SelFTypeForm = nullptr;

KX_PUBLISH(TSelFTypeForm) {
  p.Handler("btnFType1Click", &TSelFTypeForm::btnFType1Click);
  p.Handler("btnFType2Click", &TSelFTypeForm::btnFType2Click);
  p.Handler("btnFType3Click", &TSelFTypeForm::btnFType3Click);
  p.Handler("btnFType4Click", &TSelFTypeForm::btnFType4Click);
  p.Handler("btnFType5Click", &TSelFTypeForm::btnFType5Click);
  p.Handler("btnFType6Click", &TSelFTypeForm::btnFType6Click);
  p.Handler("btnFType7Click", &TSelFTypeForm::btnFType7Click);
  p.Handler("btnFType8Click", &TSelFTypeForm::btnFType8Click);
  p.Handler("btnHamTNClick", &TSelFTypeForm::btnHamTNClick);
  p.Handler("btnTronClick", &TSelFTypeForm::btnTronClick);
  p.Handler("btnElipClick", &TSelFTypeForm::btnElipClick);
  p.Handler("btnHypClick", &TSelFTypeForm::btnHypClick);
  p.Handler("btn2on1Click", &TSelFTypeForm::btn2on1Click);
  p.Handler("btn4Click", &TSelFTypeForm::btn4Click);
  p.Handler("btnCauClick", &TSelFTypeForm::btnCauClick);
  p.Handler("btnElipxoitClick", &TSelFTypeForm::btnElipxoitClick);
  p.Handler("btnParaboloitClick", &TSelFTypeForm::btnParaboloitClick);
  p.Handler("btnHyp1Click", &TSelFTypeForm::btnHyp1Click);
  p.Handler("btnNonClick", &TSelFTypeForm::btnNonClick);
}

TSelFTypeForm::TSelFTypeForm(TComponent* owner) : TForm(owner) { ReadFormResource(*this); }

void TSelFTypeForm::KindClicked(int kind) { SetModalResult(KindButtonClicked(FuncModel().CurFunc, kind)); }

void TSelFTypeForm::btnFType1Click(TObject*) { KindClicked(1); }
void TSelFTypeForm::btnFType2Click(TObject*) { KindClicked(2); }
void TSelFTypeForm::btnFType3Click(TObject*) { KindClicked(3); }
void TSelFTypeForm::btnFType4Click(TObject*) { KindClicked(4); }
void TSelFTypeForm::btnFType5Click(TObject*) { KindClicked(5); }
void TSelFTypeForm::btnFType6Click(TObject*) { KindClicked(6); }
void TSelFTypeForm::btnFType7Click(TObject*) { KindClicked(7); }
void TSelFTypeForm::btnFType8Click(TObject*) { KindClicked(8); }
void TSelFTypeForm::btnHamTNClick(TObject*) { KindClicked(TNKind); }

namespace {

// The radio buttons' procedure of a two-type template.
TTemplateKindChanged KindChangedOf(TTemplate t) {
  switch (t) {
    case TTemplate::Hyperbola:
      return HyperbolaKindChanged;
    case TTemplate::Paraboloid:
      return ParaboloidKindChanged;
    case TTemplate::Hyperboloid:
      return HyperboloidKindChanged;
    default:
      return nullptr;
  }
}

}  // namespace

void TSelFTypeForm::TemplateClicked(TTemplate t) {
  if (!frmHamMau) return;
  const TTemplateInfo& info = TemplateInfo(t);
  frmHamMau->PrepareTemplate(info);
  if (TTemplateKindChanged changed = KindChangedOf(t)) TemplateKindChanged = changed;
  // Until the numbers read; a cancelled form leaves the chooser open.
  while (frmHamMau->ShowModal() == mrOk) {
    if (ApplyTemplate(FuncModel().CurFunc, t, frmHamMau->raF1()->Checked(), frmHamMau->FieldTexts(info))) {
      SetModalResult(mrOk);
      return;
    }
    WarningBox(this, "Nhap sai so", "Error");
  }
}

void TSelFTypeForm::btnTronClick(TObject*) { TemplateClicked(TTemplate::Circle); }
void TSelFTypeForm::btnElipClick(TObject*) { TemplateClicked(TTemplate::Ellipse); }
void TSelFTypeForm::btnHypClick(TObject*) { TemplateClicked(TTemplate::Hyperbola); }
void TSelFTypeForm::btn2on1Click(TObject*) { TemplateClicked(TTemplate::QuadraticOverLinear); }
void TSelFTypeForm::btn4Click(TObject*) { TemplateClicked(TTemplate::Degree4); }
void TSelFTypeForm::btnCauClick(TObject*) { TemplateClicked(TTemplate::Sphere); }
void TSelFTypeForm::btnElipxoitClick(TObject*) { TemplateClicked(TTemplate::Ellipsoid); }
void TSelFTypeForm::btnParaboloitClick(TObject*) { TemplateClicked(TTemplate::Paraboloid); }
void TSelFTypeForm::btnHyp1Click(TObject*) { TemplateClicked(TTemplate::Hyperboloid); }
void TSelFTypeForm::btnNonClick(TObject*) { TemplateClicked(TTemplate::Cone); }

}  // namespace kx
