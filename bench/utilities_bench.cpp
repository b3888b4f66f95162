// Conversion of a condition request to the server's code page and back: done
// for every run request, so it must stay far below what a user could notice.
#include "runtime/variant_array.h"
#include "services/utilities/code_page_texts.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <string>

namespace {

// A request as the report form builds it: 17 label pairs (caption, control
// name) and 17 values, some of them ranges and lists held in nested arrays.
kvc::Variant MakeRequest() {
    const char* captions[] = {"查看依据", "工厂",     "查看单号",   "截止日期", "入库仓库",
                              "领料仓库", "库存计算", "可用量计算", "欠料公式", "仅打印欠料",
                              "替代料",   "审核状态", "品号类型",   "签核",     "页脚",
                              "日期类型", "打印日期"};
    kvc::Variant labels = kvc::VarArrayCreate({0, 16});
    kvc::Variant values = kvc::VarArrayCreate({0, 16});
    for (int i = 0; i < 17; ++i) {
        labels[i] = kvc::VarArrayOf({captions[i], "cbo" + std::to_string(i + 1)});
        if (i % 3 == 1) {
            values[i] = kvc::VarArrayOf({"\x04", "5101-0001", "5101-0099"}); // a range
        } else if (i % 3 == 2) {
            values[i] = kvc::VarArrayOf({"原料仓", "成品仓", "半成品仓"}); // a list
        } else {
            values[i] = "按源工单";
        }
    }
    return kvc::VarArrayOf({kvc::VarArrayOf({"WVTR57", "公司", "DS"}), labels, values});
}

void BM_VariantToAnsiRequest(benchmark::State& state) {
    setenv("KVC_ACP", "936", 1);
    const kvc::Variant request = MakeRequest();
    for (auto _ : state) {
        kvc::Variant ansi = kvc::services::VariantToAnsi(request, 936);
        kvc::Variant wide = kvc::services::VariantToWide(ansi, 936);
        benchmark::DoNotOptimize(wide);
    }
}
BENCHMARK(BM_VariantToAnsiRequest)->Unit(benchmark::kMicrosecond);

} // namespace
