#include "plugin/class_references.h"

#include "framework/condition_form.h"
#include "runtime/exceptions.h"

namespace kvc::plugin {

const TClassInfo* frmBaseGeneClass = nullptr;

std::string InternalErrorText(std::string_view variable) {
    return "KVC DLL Internal Error :\rNot Assign \"" + std::string(variable) + "\" varible";
}

std::unique_ptr<TDLLBaseController> NewController() {
    if (DLLControllerClass == nullptr) {
        throw Exception(InternalErrorText("DLLControllerClass"));
    }
    return DLLControllerClass();
}

void SetFormClass(const TClassInfo& formClass) {
    if (!formClass.InheritsFrom(framework::TfrmBaseGene::StaticClassInfo())) {
        throw EInvalidOperation(std::string(formClass.Name()) + " is not a TfrmBaseGene class");
    }
    frmBaseGeneClass = &formClass;
}

} // namespace kvc::plugin
