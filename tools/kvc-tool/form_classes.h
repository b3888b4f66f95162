// The form classes kvc-tool can build: the sample forms of the toolkit and of
// the controls, registered on first use.
#pragma once

#include <string>

namespace kvc {
class TClassInfo;
}

namespace kvc::tool {

// The registered form class of that name, or none (a class that is no form
// counts as none).
const TClassInfo* FindFormClass(const std::string& className);

} // namespace kvc::tool
