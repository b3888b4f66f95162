// kvc-tool jobs --db FILE: the job queue of an application server database,
// one JSON object per job and line, oldest number first:
//
//   {"job":"20240515000001","status":"queued","program":"WVTR57","user":"DS",
//    "company":"TqTest60","run_mode":0,"start":{"$date":"2024-05-15T12:00:00.000"},
//    "periodic":false,"received_at":{"$date":"2024-05-15T12:00:01.250"}}
//
// Exit 1 when the file is missing or is not such a database.
#include "erp/appserver/job_store.h"
#include "runtime/exceptions.h"
#include "runtime/variant_json.h"
#include "tools/kvc-tool/commands.h"

#include <filesystem>
#include <iostream>
#include <memory>
#include <nlohmann/json.hpp>

namespace kvc::tool {
namespace {

nlohmann::ordered_json DateJson(TDateTime moment) {
    return nlohmann::ordered_json::parse(ToJson(Variant::FromDate(moment)));
}

int RunJobs(const std::string& database) {
    if (!std::filesystem::is_regular_file(database)) {
        std::cerr << "kvc-tool jobs: no database file " << database << "\n";
        return 1;
    }
    try {
        erp::JobStore store(database);
        for (const erp::JobRecord& job : store.Jobs()) {
            nlohmann::ordered_json line;
            line["job"] = job.jobNumber;
            line["status"] = job.status;
            line["program"] = job.programCode;
            line["user"] = job.userId;
            line["company"] = job.companyId;
            line["run_mode"] = job.runMode;
            line["start"] = DateJson(job.startMoment);
            line["periodic"] = job.periodic;
            line["received_at"] = DateJson(job.receivedAt);
            std::cout << line.dump(-1, ' ', false, nlohmann::json::error_handler_t::replace)
                      << "\n";
        }
        return 0;
    } catch (const Exception& error) {
        std::cerr << "kvc-tool jobs: " << error.Message() << "\n";
        return 1;
    }
}

} // namespace

void AddJobsCommand(CLI::App& app, int& result) {
    auto database = std::make_shared<std::string>();
    CLI::App* command = app.add_subcommand("jobs", "print the jobs of an application server "
                                                   "database, one JSON object per line");
    command->add_option("--db", *database, "the job database file")->required();
    command->callback([database, &result] { result = RunJobs(*database); });
}

} // namespace kvc::tool
