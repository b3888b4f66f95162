// A well-formed condition request of the report WVTR57 as the report window
// sends it after its conversion to code page 936: header 1..14, labels and
// values 1..N (17 for the report), optionally the two periodic blocks. For
// trying a server out (kvc-tool, benchmarks, tests).
#pragma once

#include "runtime/clock.h"
#include "runtime/variant.h"

namespace kvc::erp {

struct SampleRequestOptions {
    int conditions = 17;
    bool periodic = false;
    int runMode = 0;
    TDateTime moment = 45427.5; // 2024-05-15 12:00
    std::string userId = "DS";
    std::string companyId = "TqTest60";
};

Variant MakeSampleRequest(const SampleRequestOptions& options = {});

} // namespace kvc::erp
