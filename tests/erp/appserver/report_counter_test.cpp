#include "erp/appserver/condition_request.h"
#include "erp/appserver/job_store.h"
#include "erp/appserver/report_counter.h"
#include "erp/appserver/sample_request.h"
#include "platform/codepage.h"
#include "platform/ole_objects.h"
#include "remote/app_server_provider.h"
#include "remote/data_packet.h"
#include "remote/rpc_connection.h"
#include "remote/rpc_server.h"
#include "remote/socket_connection.h"
#include "remote/wire_format.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"
#include "toolkit/client_data_set.h"

#include <filesystem>
#include <functional>
#include <gtest/gtest.h>
#include <set>
#include <thread>

namespace kvc::erp {
namespace {

namespace fs = std::filesystem;

Variant Gbk(const std::string& utf8) {
    return Variant::Ansi(Utf8ToCodePage(utf8, 936), 936);
}

// A fresh database file per test, removed afterwards.
class TempDatabase {
public:
    TempDatabase() {
        const auto* test = testing::UnitTest::GetInstance()->current_test_info();
        dir_ = fs::temp_directory_path() /
               ("kvc_appserver_" + std::string(test->name()) + "_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    ~TempDatabase() { fs::remove_all(dir_); }
    std::string Path() const { return (dir_ / "jobs.db").string(); }

private:
    fs::path dir_;
};

// One call of the shared table: what is sent and what must come back.
struct CallCase {
    const char* what;
    const char* method;
    std::vector<Variant> args;
    std::vector<bool> byRef;
    // The JSON of the answer: {"result":...,"byref":[...]} or {"error":"..."}.
    std::string expected;
};

std::string Outcome(Dispatch& server, const CallCase& c) {
    std::vector<Variant> values = c.args;
    std::vector<DispatchArg> args;
    for (std::size_t i = 0; i < values.size(); ++i) {
        args.push_back(i < c.byRef.size() && c.byRef[i] ? DispatchArg::Ref(values[i])
                                                        : DispatchArg(values[i]));
    }
    try {
        const Variant result = server.Call(c.method, args);
        std::string byRef;
        for (std::size_t i = 0; i < values.size(); ++i) {
            if (i < c.byRef.size() && c.byRef[i]) {
                byRef += (byRef.empty() ? "" : ",") + ToJson(values[i]);
            }
        }
        return "{\"result\":" + ToJson(result) + ",\"byref\":[" + byRef + "]}";
    } catch (const EOleError& error) {
        return "{\"error\":\"" + error.Message() + "\"}";
    }
}

Variant Scheme(const std::string& name, bool replace,
               const std::string& values = "False\r\n12\r\n") {
    return VarArrayOf({Gbk(name), Gbk("DS"), Gbk("20240515"), Gbk("WVTR57"),
                       Gbk("chkA.checked;edB.text;"), Gbk(values), replace});
}

Variant Key(const std::string& name) {
    return VarArrayOf({Gbk(name), Gbk("DS"), Gbk("WVTR57")});
}

Variant BadBoundsRequest() {
    Variant request = MakeSampleRequest();
    request[1] = VarArrayCreate({1, 16});
    return request;
}

const char* kPacketHead =
    R"([["NCONDITION","CREATOR","PROGRAMME","CREATE_DATE","SCONDITION","VCONDITION"],)";

// Run in this order against a fresh database, in process and over the socket.
std::vector<CallCase> CallTable() {
    const std::string row2 =
        R"(["周报","DS","WVTR57","20240515","chkA.checked;edB.text;","True\r\n7\r\n"])";
    return {
        {"database kind", "SQLType", {}, {}, R"({"result":3,"byref":[]})"},
        {"first job of the day",
         "Request",
         {MakeSampleRequest()},
         {},
         R"({"result":"20240515000001","byref":[]})"},
        {"periodic job",
         "Request",
         {MakeSampleRequest({.periodic = true})},
         {},
         R"({"result":"20240515000002","byref":[]})"},
        {"refused shape", "Request", {BadBoundsRequest()}, {}, R"({"result":"ERROR","byref":[]})"},
        {"reason of the refusal",
         "ErrorDescript",
         {},
         {},
         R"({"result":"Bad request: the label array has bounds 1..16 instead of 1..17","byref":[]})"},
        {"not an array", "Request", {Gbk("x")}, {}, R"({"result":"ERROR","byref":[]})"},
        {"direct run",
         "Request1",
         {MakeSampleRequest({.runMode = 1}), "PC-01"},
         {},
         R"({"result":"20240515000003","byref":[]})"},
        {"status of a run",
         "UpdateStatus1",
         {"20240515000003", Gbk("E;000013;"), Variant::FromDate(45427.75)},
         {true},
         R"({"result":{"$":"empty"},"byref":["20240515000003"]})"},
        {"status of no job",
         "UpdateStatus1",
         {"ERROR", "", Variant::FromDate(45427.75)},
         {true},
         R"({"error":"No job is numbered 'ERROR'"})"},
        {"rights of an unknown user",
         "GetPower",
         {VarArrayOf({Gbk("TqTest60"), Gbk("NEW"), Gbk("WVTR57"), Gbk("")})},
         {},
         R"({"result":{"$lo":1,"items":["TqTest60,NEW,WVTR57,YYYYYYNN","YYYYYYNN","","",[0]]},"byref":[]})"},
        {"rights from the table",
         "GetPower",
         {VarArrayOf({Gbk("TqTest60"), Gbk("DS"), Gbk("WVTR57"), Gbk("")})},
         {},
         R"({"result":{"$lo":1,"items":["TqTest60,DS,WVTR57,YYYYYYYY","YYYYYYYY","V1","MOCTA",[2,"F01","F02"]]},"byref":[]})"},
        {"save a scheme",
         "InsertConTable",
         {Scheme("月报", false)},
         {true},
         R"({"result":"","byref":[)" + ToJson(Scheme("月报", false)) + "]}"},
        {"save it again",
         "InsertConTable",
         {Scheme("月报", false)},
         {true},
         R"({"result":"A scheme named '月报' already exists","byref":[)" +
             ToJson(Scheme("月报", false)) + "]}"},
        {"replace it",
         "InsertConTable",
         {Scheme("月报", true, "True\r\n12\r\n")},
         {true},
         R"({"result":"","byref":[)" + ToJson(Scheme("月报", true, "True\r\n12\r\n")) + "]}"},
        {"a second scheme",
         "InsertConTable",
         {Scheme("周报", false, "True\r\n7\r\n")},
         {true},
         R"({"result":"","byref":[)" + ToJson(Scheme("周报", false, "True\r\n7\r\n")) + "]}"},
        {"name of 21 bytes",
         "InsertConTable",
         {Scheme("一二三四五六七八九十a", false)},
         {true},
         R"({"result":"The scheme name is longer than 20 bytes","byref":[)" +
             ToJson(Scheme("一二三四五六七八九十a", false)) + "]}"},
        {"list",
         "LoadTable",
         {VarArrayOf({Gbk("DS"), Gbk("WVTR57")})},
         {true},
         std::string(R"({"result":)") + kPacketHead + "[" + row2 +
             R"(,["月报","DS","WVTR57","20240515","chkA.checked;edB.text;","True\r\n12\r\n"]]],"byref":[)" +
             ToJson(VarArrayOf({Gbk("DS"), Gbk("WVTR57")})) + "]}"},
        {"rename onto another",
         "ChangeConName",
         {Key("月报"), Key("周报")},
         {true, true},
         R"({"result":"A scheme named '周报' already exists","byref":[)" + ToJson(Key("月报")) +
             "," + ToJson(Key("周报")) + "]}"},
        {"rename",
         "ChangeConName",
         {Key("月报"), Key("年报")},
         {true, true},
         R"({"result":"","byref":[)" + ToJson(Key("月报")) + "," + ToJson(Key("年报")) + "]}"},
        {"delete",
         "DeleteConTable",
         {Key("年报")},
         {true},
         R"({"result":"","byref":[)" + ToJson(Key("年报")) + "]}"},
        {"delete it again",
         "DeleteConTable",
         {Key("年报")},
         {true},
         R"({"result":"No scheme is named '年报'","byref":[)" + ToJson(Key("年报")) + "]}"},
        {"provider rows",
         "AS_GetRecords",
         {"pvdConSave", -1, 0, 0, "", Variant::Null(), Variant::Null()},
         {false, false, true, false, false, true, true},
         std::string(R"({"result":)") + kPacketHead + "[" + row2 + R"(]],"byref":[1,null,null]})"},
        {"unknown provider",
         "AS_GetRecords",
         {"pvdOther", -1, 0, 0, "", Variant::Null(), Variant::Null()},
         {false, false, true, false, false, true, true},
         R"({"error":"Provider 'pvdOther' not found"})"},
        {"unknown method",
         "Launch",
         {},
         {},
         R"({"error":"Method 'Launch' not supported by automation object"})"},
        {"wrong argument count",
         "Request",
         {},
         {},
         R"({"error":"Invalid number of parameters for 'Request'"})"},
    };
}

void PrepareRights(JobStore& store) {
    store.SetRights("TqTest60", "DS", "WVTR57",
                    UserRights{"YYYYYYYY", "V1", "MOCTA", {"F01", "F02"}});
}

class ReportCounterTest : public testing::Test {
protected:
    ScopedFixedClock clock_{45427.5};
    TempDatabase database_;
};

std::vector<std::string> RunTable(Dispatch& server) {
    std::vector<std::string> outcomes;
    for (const CallCase& c : CallTable()) {
        outcomes.push_back(Outcome(server, c));
    }
    return outcomes;
}

void ExpectTable(const std::vector<std::string>& outcomes, const char* where) {
    const auto table = CallTable();
    ASSERT_EQ(outcomes.size(), table.size());
    for (std::size_t i = 0; i < table.size(); ++i) {
        EXPECT_EQ(outcomes[i], table[i].expected) << where << ": " << table[i].what;
    }
}

TEST_F(ReportCounterTest, InProcessAndOverTheSocketAnswerTheSame) {
    std::vector<std::string> inProcess;
    {
        auto store = std::make_shared<JobStore>(database_.Path() + ".local");
        PrepareRights(*store);
        const auto registration = RegisterReportCounter(store);
        inProcess = RunTable(*CreateOleObject("reportcounters.dmreportcounter"));
    }
    std::vector<std::string> remote;
    {
        auto store = std::make_shared<JobStore>(database_.Path());
        PrepareRights(*store);
        remote::RpcServer server;
        server.Host(kReportCounterProgId, [store] {
            return std::shared_ptr<Dispatch>(std::make_shared<ReportCounter>(store));
        });
        server.Start();
        auto connection = remote::RpcConnection::Connect("127.0.0.1", server.Port());
        remote = RunTable(*connection->Open(kReportCounterProgId));
    }
    ExpectTable(inProcess, "in process");
    ExpectTable(remote, "over the socket");
}

TEST_F(ReportCounterTest, JobsKeepWhatWasReceivedAndSurviveARestart) {
    const Variant request = MakeSampleRequest({.periodic = true});
    std::string number;
    {
        auto store = std::make_shared<JobStore>(database_.Path());
        ReportCounter server(store);
        number = server.Call("Request", {request}).AsString();
        server.Call("Request1", {MakeSampleRequest(), Gbk("工作站")});
    }
    JobStore reopened(database_.Path());
    const auto jobs = reopened.Jobs();
    ASSERT_EQ(jobs.size(), 2u);
    const JobRecord& job = jobs[0];
    EXPECT_EQ(job.jobNumber, number);
    EXPECT_EQ(job.status, kStatusQueued);
    EXPECT_EQ(job.programCode, "WVTR57");
    EXPECT_EQ(job.userId, "DS");
    EXPECT_EQ(job.companyId, "TqTest60");
    EXPECT_EQ(job.runMode, 2);
    EXPECT_TRUE(job.periodic);
    EXPECT_EQ(job.receivedAt, 45427.5);
    EXPECT_EQ(remote::DecodeVariant(job.request), request) << "kept as received";
    EXPECT_EQ(ToJson(remote::DecodeVariant(job.request)), ToJson(request));
    EXPECT_NE(job.periodicJson.find("\"$ansi\":\"59\""), std::string::npos) << job.periodicJson;
    EXPECT_EQ(jobs[1].computerName, "工作站") << "code page 936 bytes stored as UTF-8";
    EXPECT_EQ(jobs[1].status, kStatusRegistered);

    ReportCounter again(std::make_shared<JobStore>(database_.Path()));
    EXPECT_EQ(again.Call("Request", {request}), Variant("20240515000003"));
}

TEST_F(ReportCounterTest, StatusUpdatesAreRecordedWithTheirMessages) {
    auto store = std::make_shared<JobStore>(database_.Path());
    ReportCounter server(store);
    const std::string number = server.Call("Request1", {MakeSampleRequest(), "PC"}).AsString();
    Variant job = number;
    server.Call("UpdateStatus1", {ByRef(job), Gbk(";"), Variant::FromDate(45427.6)});
    server.Call("UpdateStatus1",
                {ByRef(job), Gbk("E;000013;没有资料"), Variant::FromDate(45427.7)});
    const auto updates = store->StatusUpdates(number);
    ASSERT_EQ(updates.size(), 2u);
    EXPECT_EQ(updates[0].status, kStatusDone);
    EXPECT_EQ(updates[1].status, kStatusDoneWithMessages);
    EXPECT_EQ(updates[1].message, "E;000013;没有资料");
    EXPECT_EQ(updates[1].reportedAt, 45427.7);
    EXPECT_EQ(store->FindJob(number)->status, kStatusDoneWithMessages);
}

TEST_F(ReportCounterTest, JobNumbersCountPerDay) {
    ReportCounter server(std::make_shared<JobStore>(database_.Path()));
    EXPECT_EQ(server.Call("Request", {MakeSampleRequest()}), Variant("20240515000001"));
    clock_.Set(45428.1);
    EXPECT_EQ(server.Call("Request", {MakeSampleRequest()}), Variant("20240516000001"));
}

// Submissions that arrive together are written together; each still gets a
// number of its own and is stored whole, and every answer is a stored job.
TEST_F(ReportCounterTest, ConcurrentSubmissionsGetDistinctNumbersAndAreAllStored) {
    auto store = std::make_shared<JobStore>(database_.Path());
    constexpr int kThreads = 4;
    constexpr int kEach = 40;
    std::vector<std::vector<std::pair<std::string, std::string>>> answers(kThreads);
    std::vector<std::thread> threads;
    for (int t = 0; t < kThreads; ++t) {
        threads.emplace_back([&, t] {
            for (int i = 0; i < kEach; ++i) {
                JobRecord job;
                job.status = kStatusQueued;
                job.kind = "Request";
                job.userId = "U" + std::to_string(t) + "_" + std::to_string(i);
                job.receivedAt = 45427.5;
                job.request = std::string(300 + i, char('a' + t));
                answers[t].emplace_back(store->Submit(job), job.userId);
            }
        });
    }
    for (auto& thread : threads) {
        thread.join();
    }
    std::set<std::string> numbers;
    for (const auto& perThread : answers) {
        for (const auto& [number, user] : perThread) {
            EXPECT_TRUE(numbers.insert(number).second) << number << " given twice";
            const auto stored = store->FindJob(number);
            ASSERT_TRUE(stored.has_value()) << number;
            EXPECT_EQ(stored->userId, user);
            EXPECT_EQ(stored->request.size(), 300 + std::stoul(user.substr(user.find('_') + 1)));
        }
    }
    ASSERT_EQ(numbers.size(), std::size_t(kThreads * kEach));
    EXPECT_EQ(*numbers.begin(), "20240515000001");
    EXPECT_EQ(*numbers.rbegin(), "20240515000160") << "no gaps";
    EXPECT_EQ(store->Jobs().size(), numbers.size());
}

// The scheme list's data set reads the rows LoadTable chose through the
// provider "pvdConSave", over the socket connection or from a server object
// made in process, and finds a scheme by its key.
class SchemeListTest : public ReportCounterTest, public testing::WithParamInterface<bool> {};

TEST_P(SchemeListTest, TheClientDataSetReadsTheChosenSchemes) {
    const bool overSocket = GetParam();
    auto store = std::make_shared<JobStore>(database_.Path());
    remote::RpcServer rpc;
    rpc.Host(kReportCounterProgId,
             [store] { return std::shared_ptr<Dispatch>(std::make_shared<ReportCounter>(store)); });
    rpc.Start();
    auto connection = MakeUnique<remote::TSocketConnection>();
    connection->SetName("MainMidas");
    connection->SetAddress("127.0.0.1");
    connection->SetPort(rpc.Port());
    connection->SetServerName(kReportCounterProgId);
    const Variant server =
        overSocket ? connection->AppServer()
                   : Variant(std::shared_ptr<Dispatch>(std::make_shared<ReportCounter>(store)));

    for (const char* name : {"月报", "周报"}) {
        EXPECT_EQ(server.Call("InsertConTable", {Scheme(name, false)}), Variant(""));
    }
    Variant otherUser = VarArrayOf({Gbk("别人"), Gbk("XX"), Gbk("20240515"), Gbk("WVTR57"),
                                    Gbk("a.text;"), Gbk("1\r\n"), false});
    EXPECT_EQ(server.Call("InsertConTable", {otherUser}), Variant(""));
    Variant filter = VarArrayOf({Gbk("DS"), Gbk("WVTR57")});
    server.Call("LoadTable", {ByRef(filter)});

    auto data = MakeUnique<TClientDataSet>();
    data->SetName("ClientDataSet1");
    if (overSocket) {
        data->SetRemoteServer(connection.get());
        data->SetProviderName(kSchemeProvider);
    } else {
        data->SetProvider(remote::MakeAppServerProvider(server, kSchemeProvider));
    }
    data->SetIndexFieldNames("NCONDITION;CREATOR;PROGRAMME");
    data->Open();
    ASSERT_EQ(data->RecordCount(), 2) << "only the user's schemes of the program";
    data->First();
    EXPECT_EQ(data->FieldByName("NCONDITION")->AsString(), "周报") << "in index order";
    EXPECT_EQ(data->FieldByName("CREATE_DATE")->AsString(), "20240515");
    ASSERT_TRUE(data->FindKey({Variant("月报"), Variant("DS"), Variant("WVTR57")}));
    EXPECT_EQ(data->FieldByName("SCONDITION")->AsString(), "chkA.checked;edB.text;");
    EXPECT_EQ(data->FieldByName("VCONDITION")->AsString(), "False\r\n12\r\n");
}

INSTANTIATE_TEST_SUITE_P(Sources, SchemeListTest, testing::Values(true, false),
                         [](const auto& info) {
                             return std::string(info.param ? "OverTheSocket" : "InProcess");
                         });

TEST_F(ReportCounterTest, AnUnknownProviderIsRefusedByTheConnection) {
    auto store = std::make_shared<JobStore>(database_.Path());
    remote::RpcServer rpc;
    rpc.Host(kReportCounterProgId,
             [store] { return std::shared_ptr<Dispatch>(std::make_shared<ReportCounter>(store)); });
    rpc.Start();
    auto connection = MakeUnique<remote::TSocketConnection>();
    connection->SetAddress("127.0.0.1");
    connection->SetPort(rpc.Port());
    connection->SetServerName(kReportCounterProgId);
    EXPECT_THROW(connection->GetProvider("pvdNothing"), EDatabaseError);
    EXPECT_NE(connection->GetProvider("PVDCONSAVE"), nullptr) << "names ignore letter case";
    EXPECT_THROW(remote::MakeAppServerProvider(Variant(), kSchemeProvider)->GetRecords(),
                 EDatabaseError);
}

TEST_F(ReportCounterTest, WideTextsAreAcceptedLikeCodePageBytes) {
    auto store = std::make_shared<JobStore>(database_.Path());
    ReportCounter server(store);
    const Variant wide =
        VarArrayOf({"月报", "DS", "20240515", "WVTR57", "a.text;", "x\r\n", false});
    EXPECT_EQ(server.Call("InsertConTable", {wide}), Variant(""));
    EXPECT_EQ(server.Call("InsertConTable", {Scheme("月报", false)}),
              Variant("A scheme named '月报' already exists"));
}

struct ShapeCase {
    const char* what;
    std::function<void(Variant&)> spoil;
    const char* reason;
};

void PrintTo(const ShapeCase& c, std::ostream* os) {
    *os << c.what;
}

class RequestShape : public testing::TestWithParam<ShapeCase> {};

TEST_P(RequestShape, IsRefusedWithItsReason) {
    Variant request = MakeSampleRequest();
    GetParam().spoil(request);
    try {
        ReadConditionRequest(request);
        FAIL() << "accepted";
    } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), std::string("Bad request: ") + GetParam().reason);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Refusals, RequestShape,
    testing::Values(
        ShapeCase{"four_blocks", [](Variant& r) { VarArrayRedim(r, 3); },
                  "the request is not an array 0..2, or 0..4 for a periodic job"},
        ShapeCase{"short_header",
                  [](Variant& r) {
                      r[0] = VarArrayCreate({1, 8});
                  },
                  "the header is not an array from 1 of at least 9 elements"},
        ShapeCase{"header_length_lies", [](Variant& r) { r[0][2] = 13; },
                  "the header has bounds 1..14 instead of 1..13"},
        ShapeCase{"null_in_values", [](Variant& r) { r[2][5] = Variant::Null(); },
                  "the value array has no value at 5"},
        ShapeCase{"label_not_a_pair", [](Variant& r) { r[1][4] = Gbk("x"); },
                  "label 4 is not a one-dimensional array"},
        ShapeCase{"empty_user", [](Variant& r) { r[0][5] = Gbk(""); }, "the user is empty"},
        ShapeCase{"run_mode_out_of_range", [](Variant& r) { r[0][10] = 7; }, "the run mode is 7"},
        ShapeCase{"start_not_a_date", [](Variant& r) { r[0][11] = Gbk("soon"); },
                  "the start moment is not a date and time"},
        ShapeCase{"periodic_not_mode_2",
                  [](Variant& r) {
                      r = MakeSampleRequest({.periodic = true});
                      r[0][10] = 0;
                  },
                  "a periodic job must run at a time (run mode 2)"},
        ShapeCase{"dynamic_count_lies",
                  [](Variant& r) {
                      r = MakeSampleRequest({.periodic = true});
                      r[4][0] = 2;
                  },
                  "the dynamic-field block counts 2 entries but holds 1"}),
    [](const auto& info) { return std::string(info.param.what); });

TEST(RequestShapeAccepted, ReadsTheHeader) {
    const auto summary = ReadConditionRequest(MakeSampleRequest({.runMode = 1, .userId = "王五"}));
    EXPECT_EQ(summary.programCode, "WVTR57");
    EXPECT_EQ(summary.userId, "王五");
    EXPECT_EQ(summary.runMode, 1);
    EXPECT_FALSE(summary.periodic);
}

} // namespace
} // namespace kvc::erp
