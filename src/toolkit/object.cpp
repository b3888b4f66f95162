#include "toolkit/object.h"

#include "toolkit/class_builder.h"

namespace kvc {

const TClassInfo& TObject::StaticClassInfo() {
    static const TClassInfo info("TObject", nullptr, nullptr, nullptr);
    return info;
}

KVC_REGISTER_CLASS(TPersistent) {}

void TPersistent::Assign(const TPersistent& source) {
    throw EConvertError("Cannot assign a " + std::string(source.ClassName()) + " to a " +
                        std::string(ClassName()));
}

} // namespace kvc
