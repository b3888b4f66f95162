// A library for the module tests: plain exports, and an automation server
// that serves one class through KvcCreateObject.
#include "runtime/dispatch.h"
#include "runtime/strings.h"

#include <memory>
#include <stdexcept>

#ifndef KVC_TEST_MODULE_ANSWER
#define KVC_TEST_MODULE_ANSWER 1
#endif

namespace {

class TestServerObject final : public kvc::DispatchObject {
public:
    TestServerObject() : kvc::DispatchObject("Kvc.TestServer") {
        AddMethod("Answer", 0,
                  [](kvc::DispatchArgs) { return kvc::Variant(KVC_TEST_MODULE_ANSWER); });
        AddMethod("Twice", 1,
                  [](kvc::DispatchArgs a) { return kvc::Variant(a[0].Value().AsInteger() * 2); });
    }
};

} // namespace

extern "C" {

int KvcTestModuleAnswer() {
    return KVC_TEST_MODULE_ANSWER;
}

// Its own address, so a test can ask which module holds it.
const void* KvcTestModuleAddress() {
    return reinterpret_cast<const void*>(&KvcTestModuleAnswer);
}

kvc::Dispatch* KvcCreateObject(const char* progId) {
    if (kvc::SameText(progId, "Kvc.TestServer")) {
        return std::make_unique<TestServerObject>().release();
    }
    if (kvc::SameText(progId, "Kvc.FailingServer")) {
        throw std::runtime_error("the server is not configured");
    }
    return nullptr;
}
}
