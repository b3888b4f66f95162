#include "tools/kvc-tool/form_classes.h"

#include "controls/samples/control_samples.h"
#include "toolkit/class_info.h"
#include "toolkit/form.h"
#include "toolkit/testing/sample_forms.h"

namespace kvc::tool {

const TClassInfo* FindFormClass(const std::string& className) {
    RegisterSampleForms();
    controls::RegisterControlSampleForms();
    const TClassInfo* info = FindClass(className);
    if (info == nullptr || !info->InheritsFrom(TCustomForm::StaticClassInfo())) {
        return nullptr;
    }
    return info;
}

} // namespace kvc::tool
