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

void TfrmPaintSample::btnOkClick(TObject*) {
    ++okClicks;
}

void RegisterSampleForms() {
    RegisterClass(TfrmPaintSample::StaticClassInfo());
}

} // namespace kvc
