// The two class-reference variables that bind the library's concrete classes,
// and what the export does with them. Both are null until a unit of the
// library sets them: the controller's unit sets DLLControllerClass when it is
// loaded, and the library's main block sets frmBaseGeneClass.
#pragma once

#include "plugin/controller.h"

#include <memory>
#include <string>

namespace kvc {
class TClassInfo;
}

namespace kvc::plugin {

// The class of the controller: a constructor by class, as the classic class
// reference was.
using TDLLControllerClass = std::unique_ptr<TDLLBaseController> (*)();

extern TDLLControllerClass DLLControllerClass;
// A toolkit class that derives from TfrmBaseGene; Open creates the form from it.
extern const TClassInfo* frmBaseGeneClass;

// "KVC DLL Internal Error :" CR "Not Assign "<variable>" varible".
std::string InternalErrorText(std::string_view variable);

// What the export does: a new controller of DLLControllerClass, owned by the
// caller. A null class raises the two-line internal error.
std::unique_ptr<TDLLBaseController> NewController();

// Binds the library's form class (the library's main block calls this); a
// class that does not derive from TfrmBaseGene raises EInvalidOperation.
void SetFormClass(const TClassInfo& formClass);

} // namespace kvc::plugin
