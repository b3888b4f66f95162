#include "erp/host/smoke.h"

#include "erp/host/host_application.h"
#include "platform/module.h"
#include "plugin/controller.h"
#include "runtime/utf8.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"

#include <functional>
#include <memory>
#include <nlohmann/json.hpp>
#include <ostream>

namespace kvc::host {

namespace {

using Json = nlohmann::ordered_json;
using plugin::TDLLBaseController;

constexpr const char* kDefaultLaunch = R"(["796","TqTest60","TqTest60",0,null])";

Json VariantJson(const Variant& value) {
    return Json::parse(ToJson(value));
}

std::string Utf8(const plugin::WideString& text) {
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t cp = text[i];
        if (cp >= 0xD800 && cp < 0xDC00 && i + 1 < text.size()) {
            cp = 0x10000 + ((cp - 0xD800) << 10) + (char32_t(text[++i]) - 0xDC00);
        }
        AppendUtf8(out, cp);
    }
    return out;
}

class SmokeRun {
public:
    explicit SmokeRun(std::ostream& out) : out_(out) {}

    void Print(const Json& line) { out_ << line.dump() << '\n' << std::flush; }

    void OnNotify(std::int32_t code, TDLLBaseController* /*sender*/) {
        Print(Json{{"notify", code}});
    }

    // Runs one step; a step that raises prints its error and stops the run.
    bool Step(const char* name, TDLLBaseController& controller,
              const std::function<void(Json&)>& body) {
        Json line{{"step", name}};
        try {
            body(line);
            controller.ProcessMessages();
        } catch (const std::exception& e) {
            line["error"] = e.what();
            Print(line);
            return false;
        }
        Print(line);
        return true;
    }

private:
    std::ostream& out_;
};

struct ControllerDeleter {
    void operator()(TDLLBaseController* c) const { delete c; }
};

} // namespace

int RunSmoke(const SmokeOptions& options, std::ostream& out, std::ostream& err) {
    Variant launch;
    try {
        launch = FromJson(options.launchJson.empty() ? kDefaultLaunch : options.launchJson);
    } catch (const std::exception& e) {
        err << "kvc-host: --launch is not a valid launch value: " << e.what() << '\n';
        return 2;
    }
    std::string error;
    Module module = Module::Load(options.pluginPath, &error);
    if (!module) {
        err << "kvc-host: cannot load the plug-in " << options.pluginPath << ": " << error << '\n';
        return 2;
    }
    auto* getController =
        module.Function<plugin::GetControllerFunction>(plugin::kGetControllerExport);
    if (getController == nullptr) {
        err << "kvc-host: " << options.pluginPath << " does not export "
            << plugin::kGetControllerExport << '\n';
        return 2;
    }

    SmokeRun run(out);
    std::unique_ptr<TDLLBaseController, ControllerDeleter> controller;
    try {
        controller.reset(getController());
    } catch (const std::exception& e) {
        run.Print(Json{{"step", "GetController"}, {"error", e.what()}});
        return 1;
    }
    run.Print(Json{{"step", "GetController"}});
    TDLLBaseController& c = *controller;
    c.HostApp = Variant(std::make_shared<HostApplication>());
    c.OnNotify = plugin::TDLLNotifyEvent::Bind<&SmokeRun::OnNotify>(&run);

    bool ok = run.Step("Open", c, [&](Json& line) {
        line["result"] = c.Open(launch);
    }) && run.Step("SetVisible", c, [&](Json& line) {
        c.SetVisible(true);
        line["show"] = true;
        line["visible"] = c.GetVisible().AsBool();
    }) && run.Step("GetInfo", c, [&](Json& line) {
        Variant info;
        line["result"] = c.GetInfo(info);
        line["info"] = VariantJson(info);
        line["version"] = Utf8(c.GetVersion());
    }) && run.Step("SetVisible", c, [&](Json& line) {
        c.SetVisible(false);
        line["show"] = false;
        line["visible"] = c.GetVisible().AsBool();
    }) && run.Step("CloseForm", c, [&](Json& line) {
        c.CloseForm();
        line["isEmpty"] = c.IsEmpty();
        line["returnCode"] = c.ReturnCode;
        line["returnValue"] = VariantJson(c.ReturnValue);
    });
    // The controller and every value it made go before the plug-in does.
    c.ReturnValue = Variant();
    controller.reset();
    return ok ? 0 : 1;
}

} // namespace kvc::host
