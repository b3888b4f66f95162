#include "toolkit/testing/sample_forms.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TfrmPaintSample) {
    KVC_FIELD(pnlTop);
    KVC_FIELD(lblWorkOrder);
    KVC_FIELD(edWorkOrder);
    KVC_FIELD(pgOptions);
    KVC_FIELD(tsBasic);
    KVC_FIELD(tsOther);
    KVC_FIELD(lblDate);
    KVC_FIELD(edDate);
    KVC_FIELD(lblNote);
    KVC_FIELD(btnOk);
    KVC_FIELD(btnCancel);
    KVC_FIELD(btnHelp);
    KVC_METHOD(btnOkClick);
}

KVC_REGISTER_CLASS(TfrmPaintControls) {
    KVC_FIELD(tbMain);
    KVC_FIELD(tbnNew);
    KVC_FIELD(tbnSep);
    KVC_FIELD(tbnPrint);
    KVC_FIELD(gbOptions);
    KVC_FIELD(cbShortage);
    KVC_FIELD(cbClosed);
    KVC_FIELD(cbGrayed);
    KVC_FIELD(rbByOrder);
    KVC_FIELD(rbByItem);
    KVC_FIELD(cmbWarehouse);
    KVC_FIELD(sbFind);
    KVC_FIELD(seDays);
    KVC_FIELD(btnRun);
    KVC_FIELD(btnStop);
    KVC_FIELD(mmNote);
    KVC_FIELD(lvOrders);
    KVC_FIELD(tvItems);
    KVC_FIELD(splMain);
    KVC_FIELD(tsView);
    KVC_FIELD(sgStock);
    KVC_FIELD(stsMain);
    KVC_METHOD(FormCreate);
}

void TfrmPaintControls::FormCreate(TObject*) {
    const char* rows[][3] = {
        {"WO-0507", "A-1001", "12"},
        {"WO-0508", "B-2040", "3"},
        {"WO-0511", "C-0007", "150"},
    };
    for (const auto& row : rows) {
        TListItem* item = lvOrders->Items().Add();
        item->SetCaption(row[0]);
        item->SubItems()->Add(row[1]);
        item->SubItems()->Add(row[2]);
    }
    lvOrders->Items()[1]->SetSelected(true);

    TTreeNodes* nodes = tvItems->GetItems();
    TTreeNode* raw = nodes->AddChild(nullptr, "原料");
    nodes->AddChild(raw, "钢板");
    nodes->AddChild(raw, "螺丝");
    raw->SetExpanded(true);
    TTreeNode* parts = nodes->AddChild(nullptr, "半成品");
    nodes->AddChild(parts, "外壳");
    raw->GetFirstChild()->SetSelected(true);

    const char* cells[][4] = {
        {"料号", "品名", "库存", "缺量"},
        {"A-1001", "钢板", "40", "12"},
        {"B-2040", "螺丝", "800", "3"},
        {"C-0007", "外壳", "0", "150"},
    };
    for (int row = 0; row < 4; ++row) {
        for (int col = 0; col < 4; ++col) {
            sgStock->SetCells(col, row, cells[row][col]);
        }
    }
    sgStock->FocusCell(1, 2);
}

void TfrmPaintSample::btnOkClick(TObject*) {
    ++okClicks;
}

void RegisterSampleForms() {
    RegisterClass(TfrmPaintSample::StaticClassInfo());
    RegisterClass(TfrmPaintControls::StaticClassInfo());
}

} // namespace kvc
