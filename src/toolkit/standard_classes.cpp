// The toolkit's own classes, registered the first time a class is looked up
// by name, so that definitions can name them wherever the objects linking
// them happen to be placed. A new control adds its line here.
#include "toolkit/application.h"
#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/dialogs.h"
#include "toolkit/edit.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/list_view.h"
#include "toolkit/mask_edit.h"
#include "toolkit/memo.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/screen.h"
#include "toolkit/speed_button.h"
#include "toolkit/spin_edit.h"

namespace kvc {

void RegisterStandardClasses() {
    for (const TClassInfo* info : {
             &TComponent::StaticClassInfo(),
             &TControl::StaticClassInfo(),
             &TWinControl::StaticClassInfo(),
             &TForm::StaticClassInfo(),
             &TPanel::StaticClassInfo(),
             &TLabel::StaticClassInfo(),
             &TEdit::StaticClassInfo(),
             &TButton::StaticClassInfo(),
             &TPageControl::StaticClassInfo(),
             &TTabSheet::StaticClassInfo(),
             &TMessageForm::StaticClassInfo(),
             &TGroupBox::StaticClassInfo(),
             &TMaskEdit::StaticClassInfo(),
             &TMemo::StaticClassInfo(),
             &TComboBox::StaticClassInfo(),
             &TCheckBox::StaticClassInfo(),
             &TRadioButton::StaticClassInfo(),
             &TBitBtn::StaticClassInfo(),
             &TSpeedButton::StaticClassInfo(),
             &TSpinEdit::StaticClassInfo(),
             &TListView::StaticClassInfo(),
         }) {
        RegisterClass(*info);
    }
}

} // namespace kvc
