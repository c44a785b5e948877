#include "ControlClasses.h"

#include "ComCtrls.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "Forms.h"
#include "Grids.h"
#include "Menus.h"
#include "ValEdit.h"
#include "StdCtrls.h"

namespace kx {

void RegisterControlClasses() {
  RegisterClasses({
      &TImageList::StaticClass(),     &TTimer::StaticClass(),       &TPopupMenu::StaticClass(),
      &TMenuItem::StaticClass(),      &TForm::StaticClass(),        &TPanel::StaticClass(),
      &TBevel::StaticClass(),         &TImage::StaticClass(),       &TLabel::StaticClass(),
      &TButton::StaticClass(),        &TEdit::StaticClass(),        &TMemo::StaticClass(),
      &TListBox::StaticClass(),       &TCheckListBox::StaticClass(), &TComboBox::StaticClass(),
      &TUpDown::StaticClass(),        &TDrawGrid::StaticClass(),    &TStringGrid::StaticClass(),
      &TValueListEditor::StaticClass(), &TOpenDialog::StaticClass(), &TSaveDialog::StaticClass(),
      &TColorDialog::StaticClass(),   &TMainMenu::StaticClass(),
  });
}

}  // namespace kx
