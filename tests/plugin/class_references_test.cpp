#include "framework/condition_form.h"
#include "plugin/class_references.h"
#include "runtime/exceptions.h"
#include "toolkit/form.h"

#include <gtest/gtest.h>

namespace kvc::plugin {
namespace {

// Restores a class-reference variable however the test ends.
template <class T> class Restore {
public:
    explicit Restore(T& variable) : variable_(variable), saved_(variable) {}
    ~Restore() { variable_ = saved_; }
    Restore(const Restore&) = delete;
    Restore& operator=(const Restore&) = delete;

private:
    T& variable_;
    T saved_;
};

TEST(ClassReferences, ControllerClassIsBoundWhenTheUnitLoads) {
    ASSERT_NE(DLLControllerClass, nullptr);
    std::unique_ptr<TDLLBaseController> a = NewController();
    std::unique_ptr<TDLLBaseController> b = NewController();
    EXPECT_NE(a.get(), b.get());
    EXPECT_TRUE(a->IsEmpty());
}

TEST(ClassReferences, MissingControllerClassRaisesTheTwoLineError) {
    Restore restore(DLLControllerClass);
    DLLControllerClass = nullptr;
    try {
        NewController();
        FAIL() << "no error";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(),
                     "KVC DLL Internal Error :\rNot Assign \"DLLControllerClass\" varible");
    }
}

TEST(ClassReferences, FormClassMustBeAConditionForm) {
    Restore restore(frmBaseGeneClass);
    EXPECT_THROW(SetFormClass(TForm::StaticClassInfo()), EInvalidOperation);
    EXPECT_EQ(frmBaseGeneClass, nullptr);
    SetFormClass(framework::TfrmBaseGene::StaticClassInfo());
    EXPECT_EQ(frmBaseGeneClass, &framework::TfrmBaseGene::StaticClassInfo());
}

} // namespace
} // namespace kvc::plugin
