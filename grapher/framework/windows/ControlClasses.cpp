#include "framework/windows/ControlClasses.h"

#include "framework/windows/ActnList.h"
#include "framework/windows/ComCtrls.h"
#include "framework/windows/Dialogs.h"
#include "framework/windows/ExtCtrls.h"
#include "framework/windows/Forms.h"
#include "framework/windows/Grids.h"
#include "framework/windows/ListViews.h"
#include "framework/windows/Menus.h"
#include "framework/windows/ValEdit.h"
#include "framework/windows/StdCtrls.h"

namespace kx {

void RegisterControlClasses() {
  RegisterClasses({
      &TImageList::StaticClass(),       &TTimer::StaticClass(),        &TPopupMenu::StaticClass(),
      &TMenuItem::StaticClass(),        &TForm::StaticClass(),         &TPanel::StaticClass(),
      &TBevel::StaticClass(),           &TImage::StaticClass(),        &TLabel::StaticClass(),
      &TButton::StaticClass(),          &TEdit::StaticClass(),         &TMemo::StaticClass(),
      &TListBox::StaticClass(),         &TCheckListBox::StaticClass(), &TComboBox::StaticClass(),
      &TUpDown::StaticClass(),          &TDrawGrid::StaticClass(),     &TStringGrid::StaticClass(),
      &TValueListEditor::StaticClass(), &TOpenDialog::StaticClass(),   &TSaveDialog::StaticClass(),
      &TColorDialog::StaticClass(),     &TMainMenu::StaticClass(),     &TAction::StaticClass(),
      &TActionList::StaticClass(),      &TListView::StaticClass(),     &TTreeView::StaticClass(),
  });
}

}  // namespace kx
