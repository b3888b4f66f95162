// The daemon as a child process: killed with SIGKILL in the middle of
// submissions, it keeps every job it acknowledged and no half-written one;
// a new daemon on the same file goes on numbering after them.
#include "erp/appserver/condition_request.h"
#include "erp/appserver/job_store.h"
#include "erp/appserver/sample_request.h"
#include "remote/rpc_connection.h"
#include "remote/wire_format.h"
#include "runtime/exceptions.h"

#include <csignal>
#include <filesystem>
#include <gtest/gtest.h>
#include <poll.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

namespace kvc::erp {
namespace {

namespace fs = std::filesystem;

// reportcounterd on port 0; the port is read from its first output line.
class Daemon {
public:
    explicit Daemon(const std::string& database) {
        int out[2];
        EXPECT_EQ(pipe(out), 0);
        pid_ = fork();
        if (pid_ == 0) {
            dup2(out[1], STDOUT_FILENO);
            close(out[0]);
            close(out[1]);
            execl(KVC_REPORTCOUNTERD, KVC_REPORTCOUNTERD, "--listen", "127.0.0.1:0", "--db",
                  database.c_str(), static_cast<char*>(nullptr));
            _exit(127);
        }
        close(out[1]);
        output_ = out[0];
        port_ = ReadPort();
    }
    ~Daemon() {
        if (pid_ > 0) {
            Kill(SIGKILL);
        }
        close(output_);
    }
    Daemon(const Daemon&) = delete;
    Daemon& operator=(const Daemon&) = delete;

    std::uint16_t Port() const { return port_; }
    // Sends the signal and waits for the process to end; answers its wait status.
    int Kill(int signal) {
        kill(pid_, signal);
        int status = 0;
        waitpid(pid_, &status, 0);
        pid_ = -1;
        return status;
    }

private:
    std::uint16_t ReadPort() {
        std::string line;
        char c = 0;
        pollfd ready{output_, POLLIN, 0};
        while (line.find('\n') == std::string::npos) {
            if (poll(&ready, 1, 20000) != 1 || read(output_, &c, 1) != 1) {
                ADD_FAILURE() << "the daemon did not say where it listens: " << line;
                return 0;
            }
            line += c;
        }
        const std::string prefix = "listening on 127.0.0.1:";
        EXPECT_EQ(line.rfind(prefix, 0), 0u) << line;
        return std::uint16_t(std::stoi(line.substr(prefix.size())));
    }

    pid_t pid_ = -1;
    int output_ = -1;
    std::uint16_t port_ = 0;
};

class DaemonTest : public testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() / ("kvc_daemon_" + std::to_string(getpid()));
        fs::remove_all(dir_);
        fs::create_directories(dir_);
    }
    void TearDown() override { fs::remove_all(dir_); }
    std::string Database() const { return (dir_ / "jobs.db").string(); }

    fs::path dir_;
};

TEST_F(DaemonTest, SigkillMidSubmissionsKeepsEveryAcknowledgedJobAndNoHalfJob) {
    constexpr int kAcknowledged = 25;
    std::vector<std::string> numbers;
    {
        Daemon daemon(Database());
        auto server = remote::RpcConnection::Connect("127.0.0.1", daemon.Port())
                          ->Open("ReportCounterS.dmReportCounter");
        for (int i = 0; i < kAcknowledged; ++i) {
            numbers.push_back(server->Call("Request", {MakeSampleRequest()}).AsString());
        }
        // Two clients keep submitting while the server dies under them; none
        // of their answers can be relied on, and none of them may hang.
        std::vector<std::thread> inFlight;
        for (int c = 0; c < 2; ++c) {
            inFlight.emplace_back([port = daemon.Port()] {
                try {
                    auto more = remote::RpcConnection::Connect("127.0.0.1", port)
                                    ->Open("ReportCounterS.dmReportCounter");
                    for (int i = 0; i < 1000; ++i) {
                        more->Call("Request", {MakeSampleRequest()});
                    }
                } catch (const EOleError&) {
                    // the connection was lost: expected
                }
            });
        }
        const int status = daemon.Kill(SIGKILL);
        EXPECT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
        for (auto& thread : inFlight) {
            thread.join();
        }
    }

    JobStore store(Database());
    const auto jobs = store.Jobs();
    ASSERT_GE(jobs.size(), std::size_t(kAcknowledged));
    for (const std::string& number : numbers) {
        EXPECT_TRUE(store.FindJob(number).has_value()) << number;
    }
    for (const JobRecord& job : jobs) {
        // Every stored job is whole: its request reads back and checks out.
        const auto summary = ReadConditionRequest(remote::DecodeVariant(job.request));
        EXPECT_EQ(summary.programCode, job.programCode);
        EXPECT_EQ(job.status, "queued");
    }

    Daemon restarted(Database());
    auto server = remote::RpcConnection::Connect("127.0.0.1", restarted.Port())
                      ->Open("ReportCounterS.dmReportCounter");
    const std::string next = server->Call("Request", {MakeSampleRequest()}).AsString();
    EXPECT_GT(next, jobs.back().jobNumber) << "numbering goes on after the stored jobs";
}

TEST_F(DaemonTest, SigtermStopsCleanly) {
    Daemon daemon(Database());
    auto connection = remote::RpcConnection::Connect("127.0.0.1", daemon.Port());
    auto server = connection->Open("ReportCounterS.dmReportCounter");
    EXPECT_EQ(server->Call("SQLType"), Variant(3));
    const int status = daemon.Kill(SIGTERM);
    EXPECT_TRUE(WIFEXITED(status)) << status;
    EXPECT_EQ(WEXITSTATUS(status), 0);
    EXPECT_THROW(server->Call("SQLType"), EOleError);
}

} // namespace
} // namespace kvc::erp
