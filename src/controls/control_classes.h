// The selection and input controls, registered by name for form definitions.
#pragma once

namespace kvc::controls {

void RegisterControlClasses();

} // namespace kvc::controls
