// A sample form of the toolkit with Chinese captions, for pictures of what
// the toolkit draws (kvc-tool render, the painting tests, the windowed test).
#pragma once

#include "toolkit/bit_btn.h"
#include "toolkit/button.h"
#include "toolkit/check_box.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/grids.h"
#include "toolkit/group_box.h"
#include "toolkit/label.h"
#include "toolkit/list_box.h"
#include "toolkit/list_view.h"
#include "toolkit/memo.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"
#include "toolkit/radio_button.h"
#include "toolkit/speed_button.h"
#include "toolkit/spin_edit.h"
#include "toolkit/splitter.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/tool_bar.h"
#include "toolkit/tree_view.h"

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

// The other controls of the toolkit on one form: boxes, buttons with
// glyphs, views with rows and a grid, bars.
class TfrmPaintControls : public TForm {
    KVC_CLASS(TfrmPaintControls, TForm)
public:
    TImageList* ilSmall = nullptr;
    TToolBar* tbMain = nullptr;
    TToolButton* tbnNew = nullptr;
    TToolButton* tbnSep = nullptr;
    TToolButton* tbnPrint = nullptr;
    TToolButton* tbnDelete = nullptr;
    TGroupBox* gbOptions = nullptr;
    TCheckBox* cbShortage = nullptr;
    TCheckBox* cbClosed = nullptr;
    TCheckBox* cbGrayed = nullptr;
    TRadioButton* rbByOrder = nullptr;
    TRadioButton* rbByItem = nullptr;
    TComboBox* cmbWarehouse = nullptr;
    TSpeedButton* sbFind = nullptr;
    TSpinEdit* seDays = nullptr;
    TBitBtn* btnRun = nullptr;
    TBitBtn* btnStop = nullptr;
    TMemo* mmNote = nullptr;
    TListView* lvOrders = nullptr;
    TTreeView* tvItems = nullptr;
    TSplitter* splMain = nullptr;
    TTabSet* tsView = nullptr;
    TStringGrid* sgStock = nullptr;
    TListBox* lbUnits = nullptr;
    TStatusBar* stsMain = nullptr;

    // Fills the image list with small pictures drawn here, and the rows of
    // the list, the tree and the grid, which the definition cannot hold.
    void FormCreate(TObject* sender);
};

// Makes sure the sample classes are registered (by name, for kvc-tool render).
void RegisterSampleForms();

} // namespace kvc
