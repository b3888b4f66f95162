#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "services/utilities/variant_helpers.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

TEST(VariantHelpers, IifAndEmptyOrNull) {
    EXPECT_EQ(IIF(true, 1, "x"), Variant(1));
    EXPECT_EQ(IIF(false, 1, "x"), Variant("x"));
    EXPECT_TRUE(IsEmptyOrNull(Variant()));
    EXPECT_TRUE(IsEmptyOrNull(Variant::Null()));
    for (const Variant& other : {Variant(0), Variant(""), Variant(false), VarArrayOf({})}) {
        EXPECT_FALSE(IsEmptyOrNull(other));
    }
}

TEST(VariantHelpers, JoinCountedTakesAsManyElementsAsElementZeroSays) {
    const Variant rights = VarArrayOf({2, "5101", "5102", "ignored"});
    EXPECT_EQ(JoinCounted("TA001", rights), "TA001\x03"
                                            "2\x03"
                                            "5101\x03"
                                            "5102\x03");
    EXPECT_EQ(JoinCounted("", VarArrayOf({"0"})), "\x03"
                                                  "0\x03");
    EXPECT_THROW(JoinCounted("h", VarArrayOf({3, "a"})), EVariantError);
    EXPECT_THROW(JoinCounted("h", VarArrayOf({"x"})), EVariantError);
}

} // namespace
} // namespace kvc::services
