// The form of the control tests, from forms/frmControls.dfm. Handlers write
// a line into the form's log.
#pragma once

#include "toolkit/bit_btn.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/group_box.h"
#include "toolkit/list_view.h"
#include "toolkit/mask_edit.h"
#include "toolkit/memo.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "toolkit/spin_edit.h"

#include <string>
#include <vector>

namespace kvc::test {

class TfrmControls : public TForm {
    KVC_CLASS(TfrmControls, TForm)
public:
    std::vector<std::string> log;
    bool allowEditing = true;

    TGroupBox* grpChoice = nullptr;
    TRadioButton* rdoA = nullptr;
    TRadioButton* rdoB = nullptr;
    TCheckBox* chkView = nullptr;
    TGroupBox* grpOther = nullptr;
    TRadioButton* rdoC = nullptr;
    TSpeedButton* btnPeriod = nullptr;
    TSpeedButton* spdIcon = nullptr;
    TSpeedButton* spdList = nullptr;
    TSpeedButton* spdPlain = nullptr;
    TComboBox* cbo01 = nullptr;
    TMaskEdit* med01 = nullptr;
    TSpinEdit* seHour = nullptr;
    TListView* lstCondition = nullptr;
    TMemo* meNote = nullptr;
    TBitBtn* btnOk = nullptr;
    TEdit* edName = nullptr;

    void rdoClick(TObject* sender);
    void chkViewClick(TObject* sender);
    void spdClick(TObject* sender);
    void cbo01Change(TObject* sender);
    void cbo01Click(TObject* sender);
    void seHourChange(TObject* sender);
    // Trims the new text; an empty text keeps the old caption.
    void lstConditionEdited(TObject* sender, TListItem* item, std::string& text);
    void lstConditionEditing(TObject* sender, TListItem* item, bool& allowEdit);
    void lstConditionSelectItem(TObject* sender, TListItem* item, bool selected);
};

} // namespace kvc::test
