// reportcounterd: the report-counter application server as a daemon.
//
//   reportcounterd --listen 127.0.0.1:PORT --db FILE [--threads N] [--durability process|power]
//
// Serves "ReportCounterS.dmReportCounter" over the remote call protocol,
// every client its own object over one job database. Port 0 takes a free
// port; the first line on standard output says which ("listening on
// 127.0.0.1:PORT"), so scripts and tests can connect. SIGTERM or SIGINT
// stops it cleanly; exit 0 then, 1 when it cannot start.
#include "erp/appserver/job_store.h"
#include "erp/appserver/report_counter.h"
#include "remote/rpc_server.h"
#include "runtime/exceptions.h"

#include <CLI/CLI.hpp>
#include <iostream>

namespace {

// "HOST:PORT" -> host and port; a bad text raises CLI::ValidationError.
std::pair<std::string, std::uint16_t> SplitListen(const std::string& listen) {
    const auto colon = listen.rfind(':');
    if (colon == std::string::npos || colon == 0) {
        throw CLI::ValidationError("--listen", "expected HOST:PORT, got " + listen);
    }
    const std::string portText = listen.substr(colon + 1);
    std::size_t used = 0;
    unsigned long port = 0;
    try {
        port = std::stoul(portText, &used);
    } catch (const std::exception&) {
        used = 0;
    }
    if (used != portText.size() || portText.empty() || port > 65535) {
        throw CLI::ValidationError("--listen", "bad port in " + listen);
    }
    return {listen.substr(0, colon), std::uint16_t(port)};
}

} // namespace

int main(int argc, char** argv) {
    CLI::App app{"reportcounterd: the report-counter application server"};
    std::string listen = "127.0.0.1:0";
    std::string database;
    // Workers mostly wait for their submissions' batch to commit, so more of
    // them than cores makes larger batches rather than contention.
    int threads = 4;
    std::string durability = "process";
    app.add_option("--listen", listen, "HOST:PORT to listen on (loopback by default)");
    app.add_option("--db", database, "the job database file")->required();
    app.add_option("--threads", threads, "worker threads")->check(CLI::Range(1, 64));
    app.add_option("--durability", durability,
                   "process: commits survive a killed server; power: also a power loss")
        ->check(CLI::IsMember({"process", "power"}));
    CLI11_PARSE(app, argc, argv);

    try {
        const auto [host, port] = SplitListen(listen);
        auto store = std::make_shared<kvc::erp::JobStore>(
            database,
            durability == "power" ? kvc::erp::Durability::Power : kvc::erp::Durability::Process);
        kvc::remote::ServerOptions options;
        options.address = host;
        options.port = port;
        options.threads = threads;
        kvc::remote::RpcServer server(options);
        server.Host(kvc::erp::kReportCounterProgId, [store] {
            return std::shared_ptr<kvc::Dispatch>(std::make_shared<kvc::erp::ReportCounter>(store));
        });
        server.StopOnSignals();
        server.Start();
        std::cout << "listening on " << host << ":" << server.Port() << std::endl;
        server.Wait();
        server.Stop();
        std::cout << "stopped" << std::endl;
        return 0;
    } catch (const CLI::ValidationError& error) {
        std::cerr << "reportcounterd: " << error.what() << "\n";
        return 1;
    } catch (const kvc::Exception& error) {
        std::cerr << "reportcounterd: " << error.Message() << "\n";
        return 1;
    }
}
