// The application server over loopback: a full 17-condition request per call,
// stored in the job database (WAL, one transaction each).
//   BM_RequestRoundTrip        one client, one request at a time
//   BM_RequestThroughput/4     four clients at once; target 20,000 requests/s
//   BM_RequestInProcess        the same call without the socket
#include "erp/appserver/job_store.h"
#include "erp/appserver/report_counter.h"
#include "erp/appserver/sample_request.h"
#include "remote/rpc_connection.h"
#include "remote/rpc_server.h"

#include <benchmark/benchmark.h>
#include <filesystem>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>

namespace {

namespace fs = std::filesystem;

// CPU time of the whole process (every thread, user and system), in
// microseconds: per request it tells the cost apart from the machine's load,
// which the wall-clock rate does not.
double ProcessCpuMicros() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    auto micros = [](const timeval& t) { return double(t.tv_sec) * 1e6 + double(t.tv_usec); };
    return micros(usage.ru_utime) + micros(usage.ru_stime);
}

// A served report-counter over a fresh database, for one benchmark run.
class ServedReportCounter {
public:
    explicit ServedReportCounter(int threads = 2)
        : dir_(fs::temp_directory_path() / ("kvc_remote_bench_" + std::to_string(getpid()))),
          server_(Options(threads)) {
        fs::remove_all(dir_);
        fs::create_directories(dir_);
        auto store = std::make_shared<kvc::erp::JobStore>((dir_ / "jobs.db").string());
        server_.Host(kvc::erp::kReportCounterProgId, [store] {
            return std::shared_ptr<kvc::Dispatch>(std::make_shared<kvc::erp::ReportCounter>(store));
        });
        server_.Start();
    }
    ~ServedReportCounter() {
        server_.Stop();
        fs::remove_all(dir_);
    }

    std::shared_ptr<kvc::Dispatch> Open() {
        return kvc::remote::RpcConnection::Connect("127.0.0.1", server_.Port())
            ->Open(kvc::erp::kReportCounterProgId);
    }

private:
    static kvc::remote::ServerOptions Options(int threads) {
        kvc::remote::ServerOptions options;
        options.threads = threads;
        return options;
    }

    fs::path dir_;
    kvc::remote::RpcServer server_;
};

void BM_RequestRoundTrip(benchmark::State& state) {
    ServedReportCounter served;
    auto server = served.Open();
    const kvc::Variant request = kvc::erp::MakeSampleRequest();
    const double cpuBefore = ProcessCpuMicros();
    for (auto _ : state) {
        benchmark::DoNotOptimize(server->Call("Request", {request}));
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["cpu_us_per_request"] =
        (ProcessCpuMicros() - cpuBefore) / double(state.iterations());
}
BENCHMARK(BM_RequestRoundTrip)->UseRealTime();

// The same call without the socket, to tell the wire's share from the storage's.
void BM_RequestInProcess(benchmark::State& state) {
    const fs::path dir =
        fs::temp_directory_path() / ("kvc_remote_bench_local_" + std::to_string(getpid()));
    fs::remove_all(dir);
    fs::create_directories(dir);
    {
        kvc::erp::ReportCounter server(
            std::make_shared<kvc::erp::JobStore>((dir / "jobs.db").string()));
        const kvc::Variant request = kvc::erp::MakeSampleRequest();
        for (auto _ : state) {
            benchmark::DoNotOptimize(server.Call("Request", {request}));
        }
        state.SetItemsProcessed(state.iterations());
    }
    fs::remove_all(dir);
}
BENCHMARK(BM_RequestInProcess)->UseRealTime();

void BM_RequestThroughput(benchmark::State& state) {
    constexpr int kPerClient = 100;
    const auto clients = int(state.range(0));
    // A worker per client: a worker waiting for its batch to commit holds
    // no core, and the waiting ones are what a batch is made of.
    ServedReportCounter served(clients);
    std::vector<std::shared_ptr<kvc::Dispatch>> servers;
    for (int c = 0; c < clients; ++c) {
        servers.push_back(served.Open());
    }
    const kvc::Variant request = kvc::erp::MakeSampleRequest();
    const double cpuBefore = ProcessCpuMicros();
    for (auto _ : state) {
        std::vector<std::thread> threads;
        for (auto& server : servers) {
            threads.emplace_back([&server, &request] {
                for (int i = 0; i < kPerClient; ++i) {
                    benchmark::DoNotOptimize(server->Call("Request", {request}));
                }
            });
        }
        for (auto& thread : threads) {
            thread.join();
        }
    }
    state.SetItemsProcessed(state.iterations() * clients * kPerClient);
    state.counters["cpu_us_per_request"] =
        (ProcessCpuMicros() - cpuBefore) / double(state.iterations() * clients * kPerClient);
}
BENCHMARK(BM_RequestThroughput)->Arg(4)->UseRealTime();

} // namespace
