// The conversion of a whole form under a Traditional Chinese interface: what
// every form pays once when it is first shown.
#include "language/code_converter.h"
#include "platform/environment.h"
#include "toolkit/application.h"
#include "toolkit/button.h"
#include "toolkit/combo_box.h"
#include "toolkit/edit.h"
#include "toolkit/form.h"
#include "toolkit/list_view.h"

#include <benchmark/benchmark.h>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace {

namespace fs = std::filesystem;

// A machine with a Big5 system and interface: drive C: in a temporary folder
// with the installation key and the client profile.
class Big5Machine {
public:
    Big5Machine() {
        std::string pattern = (fs::temp_directory_path() / "kvc-bench-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw std::runtime_error("mkdtemp failed");
        }
        root_ = pattern;
        fs::create_directories(root_ / "c" / "ERP");
        std::ofstream(root_ / "registry.reg") << "Windows Registry Editor Version 5.00\r\n\r\n"
                                                 "[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\r\n"
                                                 "\"ClientPath\"=\"C:\\\\ERP\\\\\"\r\n";
        std::ofstream(root_ / "c" / "ERP" / "TesseraC.ini")
            << "[CodePage]\nUICodePage=950\nDBCodePage=936\n";
    }
    ~Big5Machine() {
        std::error_code ec;
        fs::remove_all(root_, ec);
    }

private:
    fs::path root_;
    kvc::ScopedEnvironmentVariable acp_{"KVC_ACP", "950"};
    kvc::ScopedEnvironmentVariable drives_{"KVC_DRIVES", "C=" + (root_ / "c").string()};
    kvc::ScopedEnvironmentVariable registry_{"KVC_REGISTRY", (root_ / "registry.reg").string()};
    kvc::ScopedEnvironmentVariable libraries_{"KVC_LIBRARY_PATH", KVC_KVLANGUAGE_FOLDER};
};

// 120 components: buttons, edits, combo boxes with items, and list views
// with columns and rows, all with Simplified Chinese texts.
kvc::TForm* MakeForm() {
    using namespace kvc;
    auto* form = Create<TForm>(&Application());
    form->SetCaption("报表条件设置");
    for (int i = 0; i < 30; ++i) {
        auto* button = Create<TButton>(form);
        button->SetCaption("确定");
        button->SetHint("保存条件并关闭窗体");
        Create<TEdit>(form)->SetHint("输入查询条件");
        auto* combo = Create<TComboBox>(form);
        combo->GetItems()->SetText("简体中文\n繁体中文\n英文\n");
        combo->SetItemIndex(0);
        auto* list = Create<TListView>(form);
        list->GetColumns()->Add()->SetCaption("名称");
        list->GetColumns()->Add()->SetCaption("数量");
        for (int r = 0; r < 5; ++r) {
            TListItem* row = list->Items().Add();
            row->SetCaption("发票条件");
            row->SubItems()->Add("报表数量");
        }
    }
    return form;
}

void BM_ConvertForm950(benchmark::State& state) {
    const Big5Machine machine;
    for (auto _ : state) {
        state.PauseTiming();
        kvc::TForm* form = MakeForm();
        auto* converter = kvc::Create<kvc::language::TCodeConverter>(form);
        state.ResumeTiming();
        converter->ConvertForm(*form);
        state.PauseTiming();
        form->Free();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_ConvertForm950)->Unit(benchmark::kMillisecond);

} // namespace
