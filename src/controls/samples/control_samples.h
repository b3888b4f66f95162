// Sample forms of the system's controls with Chinese captions, for pictures
// of what they draw (kvc-tool render) and the painting tests.
#pragma once

#include "controls/db_label.h"
#include "controls/ext_page_control.h"
#include "controls/kv_edits.h"
#include "controls/kv_radio.h"
#include "controls/kv_spin_edit.h"
#include "controls/select_panel.h"
#include "toolkit/form.h"

namespace kvc::controls {

// A selection panel of each style: a horizontal and a vertical range, a
// list, and the user's choice showing either.
class TfrmSelectPanels : public TForm {
    KVC_CLASS(TfrmSelectPanels, TForm)
public:
    TSelectPanel* spOrder = nullptr;
    TSelectPanel* spDate = nullptr;
    TSelectPanel* spWarehouse = nullptr;
    TSelectPanel* spViewRange = nullptr;
    TSelectPanel* spViewList = nullptr;

    // Values and rows, which the definition cannot hold.
    void FormCreate(TObject* sender);
};

// The edits with attached labels, a label beside its control, a spin edit,
// radio buttons and a radio group on a page control whose second page's tab
// is hidden.
class TfrmKvControls : public TForm {
    KVC_CLASS(TfrmKvControls, TForm)
public:
    TExtPageControl* pgOptions = nullptr;
    TKvEdit* edHours = nullptr;
    TKvBtnDBEdit* edWarehouse = nullptr;
    TDBLabel* lblDays = nullptr;
    TKvSpinEdit* seDays = nullptr;
    TKvRadioButton* rbAll = nullptr;
    TKvRadioButton* rbOpen = nullptr;
    TKvRadioButton* rbLarge = nullptr;
    TKvRadioGroup* rgPeriod = nullptr;
};

// Registers the controls and the sample classes by name (for kvc-tool render).
void RegisterControlSampleForms();

} // namespace kvc::controls
