// A test host: loads the test plug-in by path, as a host does, and drives it
// through the contract header alone (nothing of the plug-in is linked in).
#include "platform/module.h"
#include "plugin/controller.h"
#include "runtime/variant_array.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>
#include <memory>
#include <string>
#include <vector>

namespace kvc::plugin {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

// Receives what the test form records and the notifications, in one order.
class Recorder : public DispatchObject {
public:
    Recorder() : DispatchObject("Test.Recorder") {
        AddMethod("Record", 1, [this](DispatchArgs a) {
            log.push_back(a[0].Value().AsString());
            return Variant();
        });
        AddMethod("Attach", 1, [this](DispatchArgs a) {
            driver = a[0].Value();
            return Variant();
        });
    }

    std::vector<std::string> log;
    Variant driver;
};

class HostApp : public DispatchObject {
public:
    explicit HostApp(bool answersVersionType) : DispatchObject("Test.HostApp") {
        if (answersVersionType) {
            AddProperty("VersionType", [] { return Variant(9); });
        }
        AddProperty("ProductID", [] { return Variant(1); });
    }
};

struct ControllerDeleter {
    void operator()(TDLLBaseController* c) const { delete c; }
};
using ControllerPtr = std::unique_ptr<TDLLBaseController, ControllerDeleter>;

// What a host keeps per controller: its notifications, with the result
// fields as they stood when each arrived.
struct NotifyLog {
    struct Entry {
        std::int32_t code;
        std::int32_t returnCode;
        Variant returnValue;
    };
    void OnNotify(std::int32_t code, TDLLBaseController* sender) {
        entries.push_back({code, sender->ReturnCode, sender->ReturnValue});
        if (recorder != nullptr) {
            recorder->log.push_back("notify " + std::to_string(code));
        }
        senders.push_back(sender);
    }
    std::vector<std::int32_t> Codes() const {
        std::vector<std::int32_t> codes;
        for (const Entry& e : entries) {
            codes.push_back(e.code);
        }
        return codes;
    }
    std::vector<Entry> entries;
    std::vector<TDLLBaseController*> senders;
    Recorder* recorder = nullptr;
};

Variant LaunchArray(const Variant& extra) {
    return VarArrayOf({"796", "TqTest60", "TqTest60", 0, extra});
}

// A preset of the own format naming the given controls.
Variant OwnPreset(int mode, std::vector<Variant> names) {
    std::vector<Variant> entries;
    for (Variant& name : names) {
        entries.push_back(VarArrayOf({"lbl", name}));
    }
    Variant conditions = VarArrayOf({VarArrayOf(std::move(entries)), VarArrayOf({"x"})});
    return VarArrayOf({mode, VarArrayOf({true, conditions})});
}

class PluginContractTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        std::string error;
        module_ = new Module(Module::Load(KVC_TEST_PLUGIN, &error));
        ASSERT_TRUE(module_->IsLoaded()) << error;
    }
    static void TearDownTestSuite() {
        delete module_;
        module_ = nullptr;
    }

    void TearDown() override {
        // Everything the plug-in made goes before the next test; the logs of
        // the test body are gone by now, so the last notifications go nowhere.
        for (ControllerPtr& c : controllers_) {
            c->OnNotify = {};
        }
        controllers_.clear();
        recorder_.reset();
    }

    TDLLBaseController& NewController(NotifyLog& log) {
        auto* get = module_->Function<GetControllerFunction>(kGetControllerExport);
        EXPECT_NE(get, nullptr);
        controllers_.emplace_back(get());
        TDLLBaseController& c = *controllers_.back();
        c.HostApp = Variant(std::make_shared<HostApp>(true));
        c.OnNotify = TDLLNotifyEvent::Bind<&NotifyLog::OnNotify>(&log);
        log.recorder = recorder_.get();
        return c;
    }

    Variant RecorderVariant() { return Variant(std::shared_ptr<Dispatch>(recorder_)); }
    Variant& Driver() { return recorder_->driver; }

    static Module* module_;
    std::shared_ptr<Recorder> recorder_ = std::make_shared<Recorder>();
    std::vector<ControllerPtr> controllers_;
};

Module* PluginContractTest::module_ = nullptr;

TEST_F(PluginContractTest, TwoControllersAreIndependent) {
    NotifyLog first;
    NotifyLog second;
    TDLLBaseController& a = NewController(first);
    TDLLBaseController& b = NewController(second);
    ASSERT_NE(&a, &b);
    EXPECT_EQ(a.Open(LaunchArray(Variant::Null())), 0);
    EXPECT_FALSE(a.IsEmpty());
    EXPECT_TRUE(b.IsEmpty());
    EXPECT_THAT(first.Codes(), ElementsAre(kNotifyFormCreated));
    EXPECT_THAT(second.Codes(), IsEmpty());
    EXPECT_EQ(b.Open(LaunchArray(Variant::Null())), 0);
    EXPECT_NE(a.GetHandle(), b.GetHandle());
    a.CloseForm();
    EXPECT_TRUE(a.IsEmpty());
    EXPECT_FALSE(b.IsEmpty());
}

TEST_F(PluginContractTest, OperationsWithoutAFormAnswerNeutralValues) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    EXPECT_EQ(c.GetVersion(), u"");
    EXPECT_FALSE(c.GetVisible().AsBool());
    EXPECT_EQ(c.GetHandle(), 0u);
    Variant info = "untouched";
    EXPECT_EQ(c.GetInfo(info), -1);
    EXPECT_EQ(info, Variant("untouched"));
    EXPECT_EQ(c.ShowModal(), Variant(2));
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_EQ(c.SetPreset(OwnPreset(1, {"edText"})), -1);
    EXPECT_EQ(c.Receive(5, 0, OwnPreset(1, {"edText"})), -1);
    c.SetVisible(true);
    c.CloseForm();
    c.Idle();
    EXPECT_THAT(log.Codes(), IsEmpty());
}

TEST_F(PluginContractTest, FormAnswersVersionAndInfo) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(Variant::Null())), 0);
    EXPECT_EQ(c.GetVersion(), u"870401-0.00.00");
    EXPECT_NE(c.GetHandle(), 0u);
    Variant info;
    ASSERT_EQ(c.GetInfo(info), 0);
    ASSERT_TRUE(info.IsArray());
    EXPECT_EQ(VarArrayLowBound(info, 1), 0);
    EXPECT_EQ(VarArrayHighBound(info, 1), 3);
    EXPECT_EQ(info[0], Variant("796"));
    EXPECT_EQ(info[1], Variant("TqTest60"));
    // The program code comes from the plug-in's file name "TstRp1C.dll".
    EXPECT_EQ(info[2], Variant("TSTRP1"));
}

TEST_F(PluginContractTest, RejectedLaunchAnswersMinusOneAndKeepsTheForm) {
    struct Case {
        const char* name;
        bool hostAnswersVersionType;
        Variant params;
    };
    const Case cases[] = {
        {"launch array is a text", true, Variant("796")},
        {"launch array is Null", true, Variant::Null()},
        {"host without VersionType", false, LaunchArray(Variant::Null())},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        NotifyLog log;
        TDLLBaseController& c = NewController(log);
        c.HostApp = Variant(std::make_shared<HostApp>(k.hostAnswersVersionType));
        EXPECT_EQ(c.Open(k.params), -1);
        EXPECT_FALSE(c.IsEmpty());
        c.ProcessMessages();
        EXPECT_FALSE(c.IsEmpty());
        c.CloseForm();
        EXPECT_TRUE(c.IsEmpty());
        EXPECT_THAT(log.Codes(), ElementsAre(kNotifyFormCreated, kNotifyFormDestroyed));
    }
}

TEST_F(PluginContractTest, NotificationsArriveInOrderAfterTheFormsOwnHandlers) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
    c.SetVisible(true);
    EXPECT_TRUE(c.GetVisible().AsBool());
    c.SetVisible(false);
    EXPECT_FALSE(c.GetVisible().AsBool());
    c.CloseForm();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_THAT(log.Codes(), ElementsAre(0x100, 0x110, 0x120, 0x130));
    EXPECT_THAT(recorder_->log, ElementsAre("notify 256", "Launch true", "FormShow", "notify 272",
                                            "FormHide", "notify 288", "FormDestroy", "notify 304"));
    for (TDLLBaseController* sender : log.senders) {
        EXPECT_EQ(sender, &c);
    }
}

TEST_F(PluginContractTest, TheUserClosingTheWindowHandsBackTheResult) {
    struct Case {
        const char* action;
        Variant argument;
        std::int32_t returnCode;
        Variant returnValue;
    };
    const Case cases[] = {
        {"Cancel", Variant(), 2, Variant()},
        {"Submit", Variant("JOB-17"), 1, Variant("JOB-17")},
        {"UserClose", Variant(), 0, Variant()},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.action);
        NotifyLog log;
        TDLLBaseController& c = NewController(log);
        ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
        c.SetVisible(true);
        if (k.argument.IsEmpty()) {
            Driver().Call(k.action);
        } else {
            Driver().Call(k.action, {k.argument});
        }
        // The form frees itself through a posted message.
        EXPECT_FALSE(c.IsEmpty());
        c.ProcessMessages();
        EXPECT_TRUE(c.IsEmpty());
        ASSERT_FALSE(log.entries.empty());
        const NotifyLog::Entry& last = log.entries.back();
        EXPECT_EQ(last.code, kNotifyFormDestroyed);
        EXPECT_EQ(last.returnCode, k.returnCode);
        EXPECT_EQ(last.returnValue, k.returnValue);
        std::size_t count = log.entries.size();
        c.CloseForm();
        EXPECT_EQ(log.entries.size(), count);
        Driver() = Variant();
    }
}

TEST_F(PluginContractTest, ShortLaunchArrayClosesTheFormAfterOpenAnswered) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    EXPECT_EQ(c.Open(VarArrayOf({"796", "TqTest60", "TqTest60", 0})), 0);
    EXPECT_FALSE(c.IsEmpty());
    c.ProcessMessages();
    EXPECT_TRUE(c.IsEmpty());
    EXPECT_THAT(log.Codes(), ElementsAre(kNotifyFormCreated, kNotifyFormDestroyed));
}

TEST_F(PluginContractTest, SecondOpenOnALiveFormDoesNotChainItsHooks) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
    EXPECT_EQ(c.Open(LaunchArray(RecorderVariant())), -1); // a form launches once
    c.SetVisible(true);
    c.CloseForm();
    EXPECT_THAT(log.Codes(), ElementsAre(0x100, 0x110, 0x130));
    EXPECT_THAT(recorder_->log, ElementsAre("notify 256", "Launch true", "Launch false", "FormShow",
                                            "notify 272", "FormDestroy", "notify 304"));
}

TEST_F(PluginContractTest, PresetModesRunWhatTheyName) {
    struct Case {
        const char* name;
        Variant preset;
        std::vector<std::string> ran;
        bool closes;
        bool showConfirmation;
    };
    const Case cases[] = {
        {"mode 0 accepts only", OwnPreset(0, {"edText"}), {}, false, true},
        {"mode 1 runs", OwnPreset(1, {"edText"}), {"btnOkClick"}, false, true},
        {"mode 2 runs without confirmation",
         OwnPreset(2, {"edText"}),
         {"btnOkClick"},
         false,
         false},
        {"mode 3 designs and closes", OwnPreset(3, {"edText"}), {"RunPreset 3"}, true, false},
        {"mode 4 queries and closes", OwnPreset(4, {"edText"}), {"RunPreset 4"}, true, false},
        {"mode 7 closes", OwnPreset(7, {"edText"}), {"RunPreset 7"}, true, false},
        {"unknown control is refused", OwnPreset(1, {"edMissing"}), {}, false, true},
        {"foreign format is never accepted",
         VarArrayOf({1, VarArrayOf({false, VarArrayOf({"x"})})}),
         {},
         false,
         true},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        NotifyLog log;
        TDLLBaseController& c = NewController(log);
        ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
        recorder_->log.clear();
        EXPECT_EQ(c.SetPreset(VarArrayOf({"ignored", k.preset})), 0);
        if (!k.closes) {
            EXPECT_EQ(Driver().Get("ShowConfirmation"), Variant(k.showConfirmation));
        }
        c.ProcessMessages();
        EXPECT_EQ(c.IsEmpty(), k.closes);
        std::vector<std::string> ran;
        for (const std::string& e : recorder_->log) {
            if (e.rfind("notify", 0) != 0 && e != "FormDestroy") {
                ran.push_back(e);
            }
        }
        EXPECT_EQ(ran, k.ran);
        c.CloseForm();
        Driver() = Variant();
    }
}

TEST_F(PluginContractTest, RefusedOwnPresetWarns) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
    EXPECT_EQ(c.SetPreset(VarArrayOf({0, OwnPreset(1, {"edText", "edMissing"})})), 0);
    EXPECT_EQ(Driver().Get("Messages"), Variant("W;000014"));
    EXPECT_EQ(Driver().Get("PresetLoaded"), Variant(false));
}

TEST_F(PluginContractTest, MalformedPresetsNeverCrash) {
    struct Case {
        const char* name;
        Variant data;
        std::int32_t answer;
    };
    const Case cases[] = {
        {"Null", Variant::Null(), -1},
        {"Empty", Variant(), -1},
        {"a text", Variant("preset"), -1},
        {"one element", VarArrayOf({1}), -1},
        {"preset is Null", VarArrayOf({0, Variant::Null()}), 0},
        {"preset is a number", VarArrayOf({0, 5}), 0},
        {"mode is not a number", VarArrayOf({0, VarArrayOf({"x", VarArrayOf({true})})}), -1},
        {"body lacks conditions", VarArrayOf({0, VarArrayOf({1, VarArrayOf({true})})}), -1},
        {"conditions Null", VarArrayOf({0, VarArrayOf({1, VarArrayOf({true, Variant::Null()})})}),
         0},
        {"names not arrays", VarArrayOf({0, VarArrayOf({1, VarArrayOf({true, VarArrayOf({7})})})}),
         0},
        {"empty names",
         VarArrayOf(
             {0, VarArrayOf({1, VarArrayOf({true, VarArrayOf({VarArrayCreate({0, -1})})})})}),
         0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        NotifyLog log;
        TDLLBaseController& c = NewController(log);
        ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
        recorder_->log.clear();
        EXPECT_EQ(c.SetPreset(k.data), k.answer);
        c.ProcessMessages();
        EXPECT_FALSE(c.IsEmpty());
        EXPECT_THAT(recorder_->log, IsEmpty());
        c.CloseForm();
        Driver() = Variant();
    }
}

TEST_F(PluginContractTest, ReceivePassesPresetsOfKindsFiveAndNineOnly) {
    struct Case {
        std::int32_t kind;
        std::int32_t answer;
        std::vector<std::string> ran;
    };
    const Case cases[] = {
        {5, 0, {"btnOkClick"}}, {9, 0, {"btnOkClick"}}, {0, -1, {}}, {6, -1, {}}, {0x140, -1, {}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.kind);
        NotifyLog log;
        TDLLBaseController& c = NewController(log);
        ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
        recorder_->log.clear();
        // The data itself is the preset, not its element 1.
        EXPECT_EQ(c.Receive(k.kind, 1234, OwnPreset(1, {"edText"})), k.answer);
        EXPECT_EQ(recorder_->log, k.ran);
        c.CloseForm();
        Driver() = Variant();
    }
}

TEST_F(PluginContractTest, SetVisibleRestoresAMinimisedFormToTheFront) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
    c.SetVisible(true);
    Driver().Call("Minimize");
    EXPECT_EQ(Driver().Get("WindowState"), Variant(1));
    c.SetVisible(true);
    EXPECT_EQ(Driver().Get("WindowState"), Variant(0));
    EXPECT_EQ(Driver().Get("Active"), Variant(true));
}

TEST_F(PluginContractTest, ShowModalAnswersTheModalResult) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(RecorderVariant())), 0);
    // Headless, a modal run that nobody answers ends as Esc would.
    EXPECT_EQ(c.ShowModal(), Variant(2));
    EXPECT_THAT(log.Codes(), ElementsAre(0x100, 0x110, 0x120));
}

TEST_F(PluginContractTest, DestroyingTheControllerClosesALiveForm) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    ASSERT_EQ(c.Open(LaunchArray(Variant::Null())), 0);
    c.SetVisible(true);
    controllers_.clear();
    EXPECT_THAT(log.Codes(), ElementsAre(0x100, 0x110, 0x130));
}

TEST_F(PluginContractTest, FormSignalAndNotifyReachTheHost) {
    NotifyLog log;
    TDLLBaseController& c = NewController(log);
    c.FormSignal(nullptr);
    c.Notify(7);
    c.OnNotify = {};
    c.Notify(8);
    EXPECT_THAT(log.Codes(), ElementsAre(kNotifyFormSignal, 7));
}

TEST(PluginWithoutFormClass, OpenRaisesTheTwoLineError) {
    std::string error;
    Module module = Module::Load(KVC_TEST_PLUGIN_NO_FORM, &error);
    ASSERT_TRUE(module.IsLoaded()) << error;
    auto* get = module.Function<GetControllerFunction>(kGetControllerExport);
    ASSERT_NE(get, nullptr);
    std::unique_ptr<TDLLBaseController> c(get());
    try {
        c->Open(LaunchArray(Variant::Null()));
        FAIL() << "Open answered";
    } catch (const std::runtime_error& e) {
        EXPECT_STREQ(e.what(), "KVC DLL Internal Error :\rNot Assign \"frmBaseGeneClass\" varible");
    }
    EXPECT_TRUE(c->IsEmpty());
}

} // namespace
} // namespace kvc::plugin
