#include "runtime/class_registry.h"
#include "runtime/dispatch.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace kvc {
namespace {

using ::testing::HasSubstr;

// A small automation object with one member of each shape.
class Counter : public DispatchObject {
public:
    Counter() : DispatchObject("Test.Counter") {
        AddField("Value", value_);
        AddProperty("Connected", [] { return Variant(true); });
        AddProperty("Limit", {}, [this](const Variant& v) { limit_ = v.AsInteger(); });
        AddMethod("Increment", 1, [this](DispatchArgs a) {
            value_ = value_.AsInteger() + a[0].Value().AsInteger();
            return value_;
        });
        AddMethod("Swap", 2, [](DispatchArgs a) {
            Variant first = a[0].Value();
            a[0].Target() = a[1].Value();
            a[1].Target() = first;
            return Variant();
        });
        AddMethod("Sum", [](DispatchArgs a) {
            int sum = 0;
            for (const auto& arg : a) {
                sum += arg.Value().AsInteger();
            }
            return Variant(sum);
        });
        AddMethod("Fail", [](DispatchArgs) -> Variant {
            throw EConvertError("'x' is not a valid integer value");
        });
        AddMethod("Abort", [](DispatchArgs) -> Variant { throw EAbort("quiet"); });
        AddMethod("Refuse", [](DispatchArgs) -> Variant { throw EOleError("server busy"); });
    }

    int Limit() const { return limit_; }

private:
    Variant value_ = 0;
    int limit_ = 0;
};

class DispatchTest : public ::testing::Test {
protected:
    std::shared_ptr<Counter> counter_ = std::make_shared<Counter>();
};

TEST_F(DispatchTest, ByReferenceArgumentsAreUpdatedInPlace) {
    Variant a = "left";
    Variant b = 2;
    counter_->Call("Swap", {ByRef(a), ByRef(b)});
    EXPECT_EQ(a, Variant(2));
    EXPECT_EQ(b, Variant("left"));
}

TEST_F(DispatchTest, ByValueArgumentsAreNotWrittenBack) {
    Variant a = "left";
    Variant b = "right";
    counter_->Call("Swap", {a, ByRef(b)});
    EXPECT_EQ(a, Variant("left"));
    EXPECT_EQ(b, Variant("left"));
}

TEST_F(DispatchTest, ArgumentsExposeTheirPassingMode) {
    Variant target = 1;
    DispatchArg byRef = ByRef(target);
    DispatchArg byValue = target;
    EXPECT_TRUE(byRef.IsByRef());
    EXPECT_FALSE(byValue.IsByRef());
    byRef.Target() = 5;
    byValue.Target() = 6;
    EXPECT_EQ(target, Variant(5));
    EXPECT_EQ(byValue.Value(), Variant(6));
}

TEST_F(DispatchTest, NamesIgnoreLetterCase) {
    EXPECT_EQ(counter_->Call("INCREMENT", {3}), Variant(3));
    EXPECT_EQ(counter_->Get("value"), Variant(3));
    counter_->Put("vAlUe", 10);
    EXPECT_EQ(counter_->Call("increment", {1}), Variant(11));
    EXPECT_TRUE(counter_->HasMember("connected"));
    EXPECT_FALSE(counter_->HasMember("Disconnected"));
}

TEST_F(DispatchTest, UnknownNamesRaiseOleError) {
    std::function<void()> accesses[] = {
        [&] { counter_->Call("Foo"); },
        [&] { counter_->Get("Foo"); },
        [&] { counter_->Put("Foo", 1); },
    };
    for (auto& access : accesses) {
        try {
            access();
            ADD_FAILURE() << "no error";
        } catch (const EOleError& e) {
            EXPECT_STREQ(e.what(), "Method 'Foo' not supported by automation object");
        }
    }
}

TEST_F(DispatchTest, PropertiesAndMethodsAnswerEitherAccess) {
    // A call without arguments reads a property; reading a method calls it.
    EXPECT_EQ(counter_->Call("Connected"), Variant(true));
    EXPECT_EQ(counter_->Get("Sum"), Variant(0));
    EXPECT_EQ(counter_->Call("Sum", {1, 2, "3"}), Variant(6));
}

TEST_F(DispatchTest, WrongAccessesRaiseOleError) {
    EXPECT_THAT([&] { counter_->Call("Increment"); },
                ::testing::ThrowsMessage<EOleError>(HasSubstr("number of parameters")));
    EXPECT_THROW(counter_->Call("Connected", {1}), EOleError);
    EXPECT_THAT([&] { counter_->Put("Connected", false); },
                ::testing::ThrowsMessage<EOleError>(HasSubstr("read-only")));
    EXPECT_THROW(counter_->Get("Limit"), EOleError);
    counter_->Put("Limit", 9);
    EXPECT_EQ(counter_->Limit(), 9);
}

TEST_F(DispatchTest, FailuresInsideReachTheCallerAsOleError) {
    EXPECT_THAT([&] { counter_->Call("Fail"); },
                ::testing::ThrowsMessage<EOleError>("'x' is not a valid integer value"));
    EXPECT_THAT([&] { counter_->Call("Refuse"); },
                ::testing::ThrowsMessage<EOleError>("server busy"));
    EXPECT_THROW(counter_->Call("Abort"), EAbort);
    // A conversion that fails inside the object is the object's failure.
    EXPECT_THROW(counter_->Call("Increment", {"many"}), EOleError);
}

TEST_F(DispatchTest, VariantHoldingAnObjectCallsItTheSameWay) {
    Variant object = counter_;
    Variant result;
    object.Put("Value", 4);
    EXPECT_EQ(object.Call("Increment", {1}), Variant(5));
    EXPECT_EQ(object.Get("Value"), Variant(5));
    Variant other = 7;
    object.Call("Swap", {ByRef(result), ByRef(other)});
    EXPECT_EQ(result, Variant(7));
    EXPECT_EQ(object.AsDispatch()->ClassName(), "Test.Counter");
}

TEST_F(DispatchTest, VariantWithoutAnObjectRaisesVariantError) {
    const Variant values[] = {Variant(), Variant::Null(), Variant("Test.Counter"),
                              Variant(std::shared_ptr<Dispatch>())};
    for (const Variant& v : values) {
        EXPECT_THROW(v.Call("Increment", {1}), EVariantError);
        EXPECT_THROW(v.Get("Value"), EVariantError);
        EXPECT_THROW(v.Put("Value", 1), EVariantError);
    }
}

// The callee may drop the caller's last reference to it while it runs.
class SelfReleasing : public DispatchObject {
public:
    explicit SelfReleasing(Variant& holder) : DispatchObject("Test.SelfReleasing") {
        AddMethod("Release", 0, [this, &holder](DispatchArgs) {
            holder = Variant();
            return Variant(name_);
        });
    }

private:
    std::string name_ = "still here";
};

TEST(DispatchLifetime, ObjectOutlivesACallThatDropsItsHolder) {
    Variant holder;
    holder = std::make_shared<SelfReleasing>(holder);
    EXPECT_EQ(holder.Call("Release"), Variant("still here"));
    EXPECT_TRUE(holder.IsEmpty());
}

// ---- class registry ----

OleClassFactory CounterFactory() {
    return [] { return std::make_shared<Counter>(); };
}

TEST(ClassRegistry, CreatesRegisteredClassesByProgIdIgnoringCase) {
    OleClassRegistration registration("Test.Counter", CounterFactory());
    std::shared_ptr<Dispatch> first = CreateRegisteredOleObject("test.COUNTER");
    std::shared_ptr<Dispatch> second = CreateRegisteredOleObject("Test.Counter");
    ASSERT_NE(first, nullptr);
    EXPECT_NE(first, second);
    EXPECT_EQ(first->ClassName(), "Test.Counter");
    EXPECT_TRUE(FindOleClass("TEST.counter"));
}

TEST(ClassRegistry, UnknownProgIdIsAnInvalidClassString) {
    EXPECT_FALSE(FindOleClass("No.Such"));
    EXPECT_THAT([] { CreateRegisteredOleObject("No.Such"); },
                ::testing::ThrowsMessage<EOleError>("Invalid class string"));
}

TEST(ClassRegistry, RegistrationEndsWithItsObject) {
    {
        OleClassRegistration registration("Test.Scoped", CounterFactory());
        EXPECT_NE(CreateRegisteredOleObject("Test.Scoped"), nullptr);
    }
    EXPECT_THROW(CreateRegisteredOleObject("Test.Scoped"), EOleError);
    EXPECT_FALSE(UnregisterOleClass("Test.Scoped"));
}

TEST(ClassRegistry, RefusesDuplicatesAndEmptyFactories) {
    OleClassRegistration registration("Test.Once", CounterFactory());
    EXPECT_THROW(RegisterOleClass("TEST.ONCE", CounterFactory()), EInvalidOperation);
    EXPECT_THROW(RegisterOleClass("Test.Nothing", OleClassFactory()), EInvalidOperation);
    EXPECT_FALSE(FindOleClass("Test.Nothing"));
}

TEST(ClassRegistry, FactoryWithoutAnObjectRaisesOleError) {
    OleClassRegistration registration("Test.Null", [] { return std::shared_ptr<Dispatch>(); });
    EXPECT_THROW(CreateRegisteredOleObject("Test.Null"), EOleError);
}

} // namespace
} // namespace kvc
