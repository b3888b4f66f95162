// Filling a selection panel's list row by row, as a lookup that answers
// thousands of rows does.
#include "controls/select_panel.h"
#include "runtime/strings.h"

#include <benchmark/benchmark.h>
#include <string>
#include <vector>

namespace {

using kvc::controls::TSelectPanel;

std::vector<std::vector<std::string>> LookupRows(int n) {
    std::vector<std::vector<std::string>> rows;
    rows.reserve(std::size_t(n));
    for (int i = 0; i < n; ++i) {
        std::string id = kvc::IntToStr(i);
        rows.push_back(
            {"MO-" + id, "Item " + id, kvc::IntToStr(i % 97), "WH" + kvc::IntToStr(i % 7)});
    }
    return rows;
}

void BM_SelectPanelAddRow(benchmark::State& state) {
    const auto rows = LookupRows(int(state.range(0)));
    for (auto _ : state) {
        state.PauseTiming();
        auto panel = kvc::MakeUnique<TSelectPanel>();
        panel->SetStyle(kvc::controls::sp_Discrete);
        panel->SetColumnsAutoSize(true);
        state.ResumeTiming();
        for (const auto& row : rows) {
            benchmark::DoNotOptimize(panel->AddRow(row));
        }
        state.PauseTiming();
        panel.reset();
        state.ResumeTiming();
    }
    state.SetItemsProcessed(state.iterations() * state.range(0));
}
BENCHMARK(BM_SelectPanelAddRow)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond);

} // namespace
