// Sample forms of the system's controls with Chinese captions, for pictures
// of what they draw (kvc-tool render) and the painting tests.
#pragma once

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

// Registers the controls and the sample classes by name (for kvc-tool render).
void RegisterControlSampleForms();

} // namespace kvc::controls
