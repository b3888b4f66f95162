// kvc-tool rpc HOST:PORT METHOD [ARGS-JSON]: calls a method of the served
// class (the report-counter server unless --class names another) and prints
//
//   {"result": <Variant JSON>, "byref": [<each argument after the call>]}
//
// ARGS-JSON is a JSON array of the arguments in the Variant JSON form; every
// argument is passed by reference, so what the server wrote back shows. Texts
// go as wide strings, which the server reads like the code-page bytes the
// system sends. A call that raises prints its text on standard error and
// exits 1; a bad command line or bad JSON exits 2.
#include "remote/rpc_connection.h"
#include "runtime/exceptions.h"
#include "runtime/variant_array.h"
#include "runtime/variant_json.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>
#include <memory>
#include <optional>

namespace kvc::tool {
namespace {

struct RpcOptions {
    std::string endpoint;
    std::string method;
    std::string args = "[]";
    std::string progId = "ReportCounterS.dmReportCounter";
};

std::optional<std::pair<std::string, std::uint16_t>> SplitEndpoint(const std::string& text) {
    const auto colon = text.rfind(':');
    if (colon == std::string::npos || colon == 0 || colon + 1 == text.size()) {
        return std::nullopt;
    }
    unsigned long port = 0;
    std::size_t used = 0;
    try {
        port = std::stoul(text.substr(colon + 1), &used);
    } catch (const std::exception&) {
        return std::nullopt;
    }
    if (used != text.size() - colon - 1 || port == 0 || port > 65535) {
        return std::nullopt;
    }
    return std::make_pair(text.substr(0, colon), std::uint16_t(port));
}

int RunRpc(const RpcOptions& options) {
    const auto endpoint = SplitEndpoint(options.endpoint);
    if (!endpoint) {
        std::cerr << "kvc-tool rpc: expected HOST:PORT, got " << options.endpoint << "\n";
        return 2;
    }
    std::vector<Variant> values;
    try {
        const Variant args = FromJson(options.args);
        if (!args.IsArray() || args.Array().DimCount() != 1 || args.Array().LowBound(1) != 0) {
            std::cerr << "kvc-tool rpc: ARGS-JSON must be a JSON array of arguments\n";
            return 2;
        }
        values.assign(args.Array().Elements().begin(), args.Array().Elements().end());
    } catch (const EConvertError& error) {
        std::cerr << "kvc-tool rpc: " << error.Message() << "\n";
        return 2;
    }
    try {
        auto server =
            remote::RpcConnection::Connect(endpoint->first, endpoint->second)->Open(options.progId);
        std::vector<DispatchArg> args;
        for (Variant& value : values) {
            args.push_back(ByRef(value));
        }
        const Variant result = server->Call(options.method, args);
        std::string byRef;
        for (const Variant& value : values) {
            byRef += (byRef.empty() ? "" : ", ") + ToJson(value);
        }
        std::cout << "{\"result\": " << ToJson(result) << ", \"byref\": [" << byRef << "]}\n";
        return 0;
    } catch (const Exception& error) {
        std::cerr << error.Message() << "\n";
        return 1;
    }
}

} // namespace

void AddRpcCommand(CLI::App& app, int& result) {
    auto options = std::make_shared<RpcOptions>();
    CLI::App* command =
        app.add_subcommand("rpc", "call a method of the application server and print its answer");
    command->add_option("endpoint", options->endpoint, "HOST:PORT of the server")->required();
    command->add_option("method", options->method, "the method to call")->required();
    command->add_option("args", options->args, "JSON array of the arguments (Variant JSON)");
    command->add_option("--class", options->progId, "the served class to call");
    command->callback([options, &result] { result = RunRpc(*options); });
}

} // namespace kvc::tool
