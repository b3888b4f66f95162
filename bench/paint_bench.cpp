// Painting a form of 120 components at 573 x 460 into its bitmap: the whole
// window (frame, caption, panels, labels, edits, page control, buttons), as
// a backend repaints it after a change.
#include "toolkit/button.h"
#include "toolkit/class_builder.h"
#include "toolkit/edit.h"
#include "toolkit/form_definitions.h"
#include "toolkit/label.h"
#include "toolkit/page_control.h"
#include "toolkit/paint/render.h"
#include "toolkit/panel.h"

#include <benchmark/benchmark.h>
#include <string>

namespace kvc {
namespace {

class TfrmPaintBench : public TForm {
    KVC_CLASS(TfrmPaintBench, TForm)
};

KVC_REGISTER_CLASS(TfrmPaintBench) {}

std::string Pair(const std::string& indent, int n, int left, int top) {
    std::string id = std::to_string(n);
    return indent + "object lbl" + id + ": TLabel\n" + indent + "  Left = " + std::to_string(left) +
           "\n" + indent + "  Top = " + std::to_string(top + 4) + "\n" + indent +
           "  Caption = '条件" + id + "'\n" + indent + "end\n" + indent + "object ed" + id +
           ": TEdit\n" + indent + "  Left = " + std::to_string(left + 60) + "\n" + indent +
           "  Top = " + std::to_string(top) + "\n" + indent + "  Width = 100\n" + indent +
           "  Height = 21\n" + indent + "  Text = 'value " + id + "'\n" + indent + "end\n";
}

// 2 panels of 16 label/edit pairs (66), a page control of 3 pages of 8
// pairs (52) and 2 buttons: 120 components.
std::string Definition() {
    std::string text = "object frmPaintBench: TfrmPaintBench\n  Width = 573\n  Height = 460\n"
                       "  Caption = '工单缺料表'\n  Font.Charset = GB2312_CHARSET\n"
                       "  Font.Height = -13\n  Font.Name = '宋体'\n";
    int n = 0;
    for (int p = 0; p < 2; ++p) {
        text += "  object pnl" + std::to_string(p) +
                ": TPanel\n    Left = " + std::to_string(4 + p * 282) +
                "\n    Top = 4\n    Width = 276\n    Height = 200\n";
        for (int i = 0; i < 16; ++i) {
            text += Pair("    ", n++, 4 + (i % 2) * 136, 4 + (i / 2) * 24);
        }
        text += "  end\n";
    }
    text += "  object pgMain: TPageControl\n    Left = 4\n    Top = 210\n    Width = 557\n"
            "    Height = 180\n    ActivePage = ts0\n";
    for (int s = 0; s < 3; ++s) {
        text += "    object ts" + std::to_string(s) + ": TTabSheet\n      Caption = '选项" +
                std::to_string(s) + "'\n";
        for (int i = 0; i < 8; ++i) {
            text += Pair("      ", n++, 4 + (i % 2) * 270, 4 + (i / 2) * 30);
        }
        text += "    end\n";
    }
    text += "  end\n";
    for (int b = 0; b < 2; ++b) {
        text += "  object btn" + std::to_string(b) +
                ": TButton\n    Left = " + std::to_string(400 + b * 80) +
                "\n    Top = 398\n    Caption = '按钮'\n  end\n";
    }
    return text + "end\n";
}

void BM_RenderForm(benchmark::State& state) {
    RegisterFormDefinition("TfrmPaintBench", "frmPaintBench.dfm", Definition());
    {
        auto form = MakeUnique<TfrmPaintBench>();
        if (form->ComponentCount() != 120) {
            state.SkipWithError("the definition does not make 120 components");
            return;
        }
        form->Show();
        TBitmap bitmap(form->GetWidth(), form->GetHeight());
        RenderInto(*form, bitmap); // opens the fonts once
        for (auto _ : state) {
            RenderInto(*form, bitmap);
            benchmark::DoNotOptimize(bitmap.Pixel(0, 0));
        }
    }
    UnregisterFormDefinition("TfrmPaintBench");
}
BENCHMARK(BM_RenderForm)->Unit(benchmark::kMillisecond);

} // namespace
} // namespace kvc
