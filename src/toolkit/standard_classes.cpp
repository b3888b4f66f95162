// The toolkit's own classes, registered the first time a class is looked up
// by name, so that definitions can name them wherever the objects linking
// them happen to be placed. A new control adds its line here.
#include "toolkit/animate.h"
#include "toolkit/application.h"
#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/client_data_set.h"
#include "toolkit/combo_box.h"
#include "toolkit/data_source.h"
#include "toolkit/db_controls.h"
#include "toolkit/db_navigator.h"
#include "toolkit/dialogs.h"
#include "toolkit/edit.h"
#include "toolkit/grids.h"
#include "toolkit/group_box.h"
#include "toolkit/image_list.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/list_view.h"
#include "toolkit/mask_edit.h"
#include "toolkit/memo.h"
#include "toolkit/menus.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/screen.h"
#include "toolkit/speed_button.h"
#include "toolkit/spin_edit.h"
#include "toolkit/splitter.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/tool_bar.h"
#include "toolkit/tree_view.h"

namespace kvc {

void RegisterStandardClasses() {
    for (const TClassInfo* info : {
             &TComponent::StaticClassInfo(),   &TControl::StaticClassInfo(),
             &TWinControl::StaticClassInfo(),  &TForm::StaticClassInfo(),
             &TPanel::StaticClassInfo(),       &TLabel::StaticClassInfo(),
             &TEdit::StaticClassInfo(),        &TButton::StaticClassInfo(),
             &TPageControl::StaticClassInfo(), &TTabSheet::StaticClassInfo(),
             &TMessageForm::StaticClassInfo(), &TMenuItem::StaticClassInfo(),
             &TMainMenu::StaticClassInfo(),    &TPopupMenu::StaticClassInfo(),
             &TImageList::StaticClassInfo(),   &TToolBar::StaticClassInfo(),
             &TToolButton::StaticClassInfo(),  &TSplitter::StaticClassInfo(),
             &TAnimate::StaticClassInfo(),     &TStatusBar::StaticClassInfo(),
             &TTabSet::StaticClassInfo(),      &TStringGrid::StaticClassInfo(),
             &TDrawGrid::StaticClassInfo(),    &TTreeView::StaticClassInfo(),
             &TDataSource::StaticClassInfo(),  &TClientDataSet::StaticClassInfo(),
             &TDBEdit::StaticClassInfo(),      &TDBText::StaticClassInfo(),
             &TDBNavigator::StaticClassInfo(), &TGroupBox::StaticClassInfo(),
             &TMaskEdit::StaticClassInfo(),    &TMemo::StaticClassInfo(),
             &TComboBox::StaticClassInfo(),    &TCheckBox::StaticClassInfo(),
             &TRadioButton::StaticClassInfo(), &TBitBtn::StaticClassInfo(),
             &TSpeedButton::StaticClassInfo(), &TSpinEdit::StaticClassInfo(),
             &TListView::StaticClassInfo(),    &TListBox::StaticClassInfo(),
         }) {
        RegisterClass(*info);
    }
}

} // namespace kvc
