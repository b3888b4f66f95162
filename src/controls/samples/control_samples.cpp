#include "controls/samples/control_samples.h"

#include "controls/control_classes.h"
#include "toolkit/class_builder.h"

namespace kvc::controls {

KVC_REGISTER_CLASS(TfrmSelectPanels) {
    KVC_FIELD(spOrder);
    KVC_FIELD(spDate);
    KVC_FIELD(spWarehouse);
    KVC_FIELD(spViewRange);
    KVC_FIELD(spViewList);
    KVC_METHOD(FormCreate);
}

KVC_REGISTER_CLASS(TfrmKvControls) {
    KVC_FIELD(pgOptions);
    KVC_FIELD(edHours);
    KVC_FIELD(edWarehouse);
    KVC_FIELD(lblDays);
    KVC_FIELD(seDays);
    KVC_FIELD(rbAll);
    KVC_FIELD(rbOpen);
    KVC_FIELD(rbLarge);
    KVC_FIELD(rgPeriod);
}

void TfrmSelectPanels::FormCreate(TObject*) {
    spOrder->SetBeginText("WO-0501");
    spOrder->SetFinalText("WO-0599");
    spDate->SetBeginText("2024/05/01");
    spDate->SetFinalText("2024/05/31");
    for (const auto& row : std::vector<std::vector<std::string>>{
             {"W01", "原料仓"}, {"W02", "半成品仓"}, {"W05", "成品仓"}, {"W09", "Returns"}}) {
        spWarehouse->AddRow(row);
    }
    spViewRange->SetBeginText("V100");
    spViewRange->SetFinalText("V250");
    for (const auto& row :
         std::vector<std::vector<std::string>>{{"V101", "月报"}, {"V118", "周报"}}) {
        spViewList->AddRow(row);
    }
}

void RegisterControlSampleForms() {
    RegisterControlClasses();
    RegisterClass(TfrmSelectPanels::StaticClassInfo());
    RegisterClass(TfrmKvControls::StaticClassInfo());
}

} // namespace kvc::controls
