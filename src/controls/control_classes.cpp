#include "controls/control_classes.h"

#include "controls/bit_check_box.h"
#include "controls/db_label.h"
#include "controls/ext_page_control.h"
#include "controls/glyph_buttons.h"
#include "controls/kv_edits.h"
#include "controls/kv_radio.h"
#include "controls/kv_spin_edit.h"
#include "controls/select_panel.h"

namespace kvc::controls {

void RegisterControlClasses() {
    for (const TClassInfo* info : {
             &TGSpeedButton::StaticClassInfo(),
             &TF2Button::StaticClassInfo(),
             &TBitCheckBox::StaticClassInfo(),
             &TSelCheckBox::StaticClassInfo(),
             &TSelMaskEdit::StaticClassInfo(),
             &TSelListView::StaticClassInfo(),
             &TSelectPanel::StaticClassInfo(),
             &TKvEdit::StaticClassInfo(),
             &TKvDBEdit::StaticClassInfo(),
             &TKvBtnDBEdit::StaticClassInfo(),
             &TDBLabel::StaticClassInfo(),
             &TKvSpinEdit::StaticClassInfo(),
             &TKvRadioButton::StaticClassInfo(),
             &TKvGroupButton::StaticClassInfo(),
             &TKvRadioGroup::StaticClassInfo(),
             &TExtPageControl::StaticClassInfo(),
         }) {
        RegisterClass(*info);
    }
}

} // namespace kvc::controls
