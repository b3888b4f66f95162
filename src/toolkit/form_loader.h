// Building a form from the definitions of its class chain: the base class's
// definition first, each applied with csLoading and csReading set; component
// references and event handlers resolved once the whole chain is read
// (handlers bind to the form's published methods, the most derived first);
// then Loaded on every component read.
#pragma once

#include "toolkit/dfm_parser.h"

namespace kvc {

class TComponent;
class TCustomForm;

// Reads the definitions of form's class chain; a class chain with no
// definition leaves the form as constructed.
void ReadFormDefinitions(TCustomForm& form);

// Reads one definition tree into root (a form or another component that owns
// what the definition creates).
void ReadComponentDefinition(TComponent& root, const DfmObject& tree, std::string_view fileName);

} // namespace kvc
