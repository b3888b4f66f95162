// A sample form of the toolkit with Chinese captions, for pictures of what
// the toolkit draws (kvc-tool render, the painting tests, the windowed test).
#pragma once

#include "toolkit/button.h"
#include "toolkit/edit.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"

namespace kvc {

class TfrmPaintSample : public TForm {
    KVC_CLASS(TfrmPaintSample, TForm)
public:
    TPanel* pnlTop = nullptr;
    TLabel* lblWorkOrder = nullptr;
    TEdit* edWorkOrder = nullptr;
    TPageControl* pgOptions = nullptr;
    TTabSheet* tsBasic = nullptr;
    TTabSheet* tsOther = nullptr;
    TLabel* lblDate = nullptr;
    TEdit* edDate = nullptr;
    TLabel* lblNote = nullptr;
    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TButton* btnHelp = nullptr;

    // How many times btnOk was clicked.
    int okClicks = 0;
    void btnOkClick(TObject* sender);
};

// Makes sure the sample classes are registered (by name, for kvc-tool render).
void RegisterSampleForms();

} // namespace kvc
