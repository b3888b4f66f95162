// The form of the test plug-in: a TfrmBaseGene that tells a test host what
// ran. A test passes a recorder automation object as launch element 4 (an
// element the system stores without reading); the form then records its
// events there ("FormShow", "btnOkClick", "RunPreset 3", ...) and attaches a
// driver object through which the test acts as the user would.
#pragma once

#include "framework/condition_form.h"
#include "toolkit/button.h"
#include "toolkit/edit.h"

#include <string_view>

namespace kvc::testing {

class TfrmTstRp1 : public framework::TfrmBaseGene {
    KVC_CLASS(TfrmTstRp1, framework::TfrmBaseGene)
public:
    TfrmTstRp1();

    bool Launch(const Variant& params) override;
    void RunPreset(int mode) override;

    void FormShow(TObject* sender);
    void FormHide(TObject* sender);
    void TestFormDestroy(TObject* sender);
    void btnOkClick(TObject* sender);

    TButton* btnOk = nullptr;
    TButton* btnCancel = nullptr;
    TEdit* edText = nullptr;

    // Records an event on the recorder, when the test gave one.
    void Record(std::string_view event);
};

} // namespace kvc::testing
