// Building a form of 120 components from its definition: parsing is done
// once per class, so the figure is the cost of every later form of that class
// (creating, naming, parenting, setting properties, resolving references and
// handlers, Loaded, OnCreate) and of destroying it again.
#include "toolkit/button.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"
#include "toolkit/form_definitions.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/panel.h"

#include <benchmark/benchmark.h>
#include <string>

namespace kvc {
namespace {

class TfrmBench : public TForm {
    KVC_CLASS(TfrmBench, TForm)
public:
    int changes = 0;
    void FormCreate(TObject*) {}
    void EditChange(TObject*) { ++changes; }
    void EditExit(TObject*) {}
    void ButtonClick(TObject*) {}
};

KVC_REGISTER_CLASS(TfrmBench) {
    KVC_METHOD(FormCreate);
    KVC_METHOD(EditChange);
    KVC_METHOD(EditExit);
    KVC_METHOD(ButtonClick);
}

void AddLabelAndEdit(std::string& text, const std::string& indent, int n, int top) {
    std::string id = std::to_string(n);
    text += indent + "object lbl" + id + ": TLabel\n" + indent + "  Left = 8\n" + indent +
            "  Top = " + std::to_string(top + 4) + "\n" + indent + "  Caption = '条件" + id +
            "'\n" + indent + "  FocusControl = ed" + id + "\n" + indent + "end\n";
    text += indent + "object ed" + id + ": TEdit\n" + indent + "  Left = 80\n" + indent +
            "  Top = " + std::to_string(top) + "\n" + indent + "  Width = 121\n" + indent +
            "  Height = 21\n" + indent + "  Color = clWindow\n" + indent + "  MaxLength = 20\n" +
            indent + "  TabOrder = " + std::to_string(n % 12) + "\n" + indent + "  Text = 'value " +
            id + "'\n" + indent + "  OnChange = EditChange\n" + indent + "  OnExit = EditExit\n" +
            indent + "end\n";
}

// 3 panels of 12 label/edit pairs (75), a page control of 3 pages of 4 pairs
// (28) and 17 buttons: 120 components.
std::string BenchDefinition() {
    std::string text = "object frmBench: TfrmBench\n  Width = 800\n  Height = 600\n"
                       "  Caption = '工单缺料表'\n  Font.Charset = GB2312_CHARSET\n"
                       "  Font.Height = -13\n  Font.Name = '宋体'\n  KeyPreview = True\n"
                       "  OnCreate = FormCreate\n";
    int n = 0;
    for (int p = 0; p < 3; ++p) {
        text += "  object pnl" + std::to_string(p) +
                ": TPanel\n    Align = alTop\n"
                "    Height = 150\n    BevelOuter = bvLowered\n    TabOrder = " +
                std::to_string(p) + "\n";
        for (int i = 0; i < 12; ++i) {
            AddLabelAndEdit(text, "    ", n++, i * 24);
        }
        text += "  end\n";
    }
    text += "  object pgMain: TPageControl\n    ActivePage = ts0\n    Align = alClient\n";
    for (int s = 0; s < 3; ++s) {
        text += "    object ts" + std::to_string(s) + ": TTabSheet\n      Caption = '选项" +
                std::to_string(s) + "'\n";
        for (int i = 0; i < 4; ++i) {
            AddLabelAndEdit(text, "      ", n++, i * 24);
        }
        text += "    end\n";
    }
    text += "  end\n";
    for (int b = 0; b < 17; ++b) {
        text += "  object btn" + std::to_string(b) +
                ": TButton\n    Left = " + std::to_string(8 + b * 40) +
                "\n    Top = 560\n    Caption = '按钮'\n"
                "    TabOrder = " +
                std::to_string(4 + b) + "\n    OnClick = ButtonClick\n  end\n";
    }
    return text + "end\n";
}

void BM_BuildFormFromDefinition(benchmark::State& state) {
    RegisterFormDefinition("TfrmBench", "frmBench.dfm", BenchDefinition());
    {
        auto first = MakeUnique<TfrmBench>();
        if (first->ComponentCount() != 120) {
            state.SkipWithError("the definition does not make 120 components");
            return;
        }
    }
    for (auto _ : state) {
        auto form = MakeUnique<TfrmBench>();
        benchmark::DoNotOptimize(form.get());
    }
    UnregisterFormDefinition("TfrmBench");
}
BENCHMARK(BM_BuildFormFromDefinition)->Unit(benchmark::kMicrosecond);

} // namespace
} // namespace kvc
