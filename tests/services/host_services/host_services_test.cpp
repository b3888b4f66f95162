#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "services/host_services/host_services.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace kvc::services {
namespace {

using ::testing::ElementsAre;

// A service that records every access as "Name(arg,arg)" and answers what
// the test prepared; by-reference arguments get "<name>-out" written back.
class FakeService : public DispatchObject {
public:
    FakeService() : DispatchObject("Test.Service") {
        for (const char* name :
             {"GetMessage", "GetFileList",    "CallHelp",       "GetSysInfo",    "GetCounter",
              "QueryData",  "CheckValue",     "F2GetData",      "GetPhrase",     "ShowInputDay",
              "Request",    "Request1",       "ErrorDescript",  "UpdateStatus1", "SQLType",
              "GetPower",   "InsertConTable", "DeleteConTable", "ChangeConName", "LoadTable"}) {
            std::string method = name;
            AddMethod(method, [this, method](DispatchArgs args) {
                std::string call = method + "(";
                for (std::size_t i = 0; i < args.size(); ++i) {
                    call += (i > 0 ? "," : "") + ToText(args[i].Value());
                    if (args[i].IsByRef()) {
                        args[i].Target() = method + "-out";
                    }
                }
                calls.push_back(call + ")");
                if (fail) {
                    throw EOleError("service failed");
                }
                return answer;
            });
        }
        AddProperty(
            "ProductID", [this] { return productId; },
            [this](const Variant& v) {
                productId = v;
                calls.push_back("ProductID:=" + ToText(v));
            });
        AddProperty(
            "BaseLimited", [this] { return baseLimited; },
            [this](const Variant& v) {
                baseLimited = v;
                calls.push_back("BaseLimited:=" + ToText(v));
            });
    }

    static std::string ToText(const Variant& v) {
        if (v.IsArray()) {
            std::string s = "[";
            const VarArray& a = v.Array();
            for (std::size_t i = 0; i < a.ElementCount(); ++i) {
                s += (i > 0 ? "," : "") + ToText(a.Elements()[i]);
            }
            return s + "]";
        }
        return v.IsDispatch() ? "<object>" : VarToStr(v);
    }

    std::vector<std::string> calls;
    Variant answer;
    Variant productId;
    Variant baseLimited;
    bool fail = false;
};

class HostServicesTest : public ::testing::Test {
protected:
    std::shared_ptr<FakeService> fake_ = std::make_shared<FakeService>();
    Variant service_{std::shared_ptr<Dispatch>(fake_)};
};

TEST_F(HostServicesTest, AbsentServicesAnswerWithoutACall) {
    for (const Variant& absent :
         {Variant(), Variant::Null(), Variant(std::shared_ptr<Dispatch>())}) {
        Variant ref;
        ValidatorCall call;
        EXPECT_FALSE(IsServicePresent(absent));
        EXPECT_EQ(GetMessage(absent, "E", "000001"), std::nullopt);
        EXPECT_FALSE(CallHelp(absent, "WVTR57", "1"));
        EXPECT_EQ(GetSysInfo(absent, ref), std::nullopt);
        EXPECT_EQ(QueryData(absent, 1, Variant(), call), std::nullopt);
        EXPECT_EQ(F2GetData(absent, F2Request{}), std::nullopt);
        EXPECT_EQ(Request(absent, Variant()), std::nullopt);
        EXPECT_EQ(SQLType(absent), std::nullopt);
        EXPECT_FALSE(UpdateStatus1(absent, ref, "1", 0.0));
    }
    EXPECT_TRUE(fake_->calls.empty());
}

TEST_F(HostServicesTest, CallsSendTheArgumentsTheServicesRead) {
    fake_->answer = "text";
    EXPECT_EQ(GetMessage(service_, "E", "000038"), "text");
    EXPECT_EQ(GetFileList(service_, "Wvtr57C.DLL"), "text");
    EXPECT_TRUE(CallHelp(service_, "WVTR57", "12"));
    Variant value = 5;
    GetCounter(service_, "mocta", value, "C1", "D1");
    EXPECT_EQ(value, Variant("GetCounter-out"));
    EXPECT_EQ(ShowInputDay(service_, true, "20240131", "D1"), "text");
    EXPECT_EQ(Request1(service_, VarArrayOf({1}), "x"), "text");
    EXPECT_THAT(fake_->calls, ElementsAre("GetMessage(E,000038)", "GetFileList([wvtr57c.dll])",
                                          "CallHelp([WVTR57,12])", "GetCounter(MOCTA,5,[C1,D1])",
                                          "ShowInputDay([True,20240131,D1])", "Request1([1],x)"));
}

TEST_F(HostServicesTest, ValidatorGetsProductAndRestrictionBeforeEachCall) {
    fake_->answer = true;
    ValidatorCall call{"CMSMB", "01", "D1", "F01", Variant()};
    EXPECT_EQ(QueryData(service_, 5, "Y", call), true);
    fake_->answer = false;
    EXPECT_EQ(CheckValue(service_, 3, "N", call), false);
    EXPECT_THAT(fake_->calls,
                ElementsAre("ProductID:=5", "BaseLimited:=Y", "QueryData(CMSMB,01,D1,F01,)",
                            "ProductID:=3", "BaseLimited:=N",
                            "CheckValue(QueryData-out,QueryData-out,QueryData-out,"
                            "QueryData-out,QueryData-out)"));
    EXPECT_EQ(call.Result, Variant("CheckValue-out"));
}

TEST_F(HostServicesTest, LookupRequestHasNineteenElementsInPlace) {
    F2Request r;
    r.Table = "CMSMC";
    r.QueryNumber = "02";
    r.Condition = "cond";
    r.MultipleChoice = true;
    r.ExtraText = "extra";
    r.CompanyID = "C1";
    r.DatabaseID = "D1";
    r.Window = 0x10001;
    r.ProductID = 5;
    r.DataRestriction = "R";
    r.Right8Flag = 8;
    r.Right7Flag = 7;
    r.AppObject = service_;
    r.UserID = "796";
    Variant a = r.ToArray();
    ASSERT_EQ(VarArrayLowBound(a, 1), 0);
    ASSERT_EQ(VarArrayHighBound(a, 1), 18);
    const std::vector<Variant> expected{
        "CMSMC", "02",      "cond",    true,      "extra", "C1", "D1", 0x10001,  1,    false,
        5,       Variant(), Variant(), Variant(), "R",     8,    7,    service_, "796"};
    for (int i = 0; i <= 18; ++i) {
        EXPECT_EQ(a[i], expected[std::size_t(i)]) << "element " << i;
    }
}

TEST_F(HostServicesTest, FailuresOfAPresentServicePropagate) {
    fake_->fail = true;
    Variant ref;
    ValidatorCall call;
    EXPECT_THROW(GetMessage(service_, "E", "1"), EOleError);
    EXPECT_THROW(QueryData(service_, 1, Variant(), call), EOleError);
    EXPECT_THROW(Request(service_, Variant()), EOleError);
    EXPECT_THROW(ChangeConName(service_, ref, ref), EOleError);
}

TEST_F(HostServicesTest, ServerAnswersAreTyped) {
    fake_->answer = 2;
    EXPECT_EQ(SQLType(service_), 2);
    fake_->answer = "ERROR";
    EXPECT_EQ(Request(service_, VarArrayOf({1})), "ERROR");
    fake_->answer = "";
    Variant record = VarArrayOf({"scheme"});
    EXPECT_EQ(InsertConTable(service_, record), "");
    EXPECT_EQ(record, Variant("InsertConTable-out"));
}

} // namespace
} // namespace kvc::services
