// The library's only export. Built into every plug-in by kvc_plugin, never
// into a static library, so that each plug-in has exactly one.
#include "plugin/class_references.h"

extern "C" __attribute__((visibility("default"))) kvc::plugin::TDLLBaseController* GetController() {
    return kvc::plugin::NewController().release();
}
