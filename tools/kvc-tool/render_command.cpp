// kvc-tool render FORMCLASS --out FILE.png [--lang CHS|CHT|ENG]: builds a
// form class of this build from its definition and writes its picture, as
// the classic look paints it. The language is accepted and not applied yet:
// forms show the texts of their definitions.
#include "runtime/exceptions.h"
#include "toolkit/class_info.h"
#include "toolkit/component.h"
#include "toolkit/form.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/sample_forms.h"
#include "tools/kvc-tool/commands.h"

#include <iostream>
#include <memory>
#include <string>

namespace kvc::tool {

namespace {

int Render(const std::string& className, const std::string& out) {
    RegisterSampleForms();
    const TClassInfo* info = FindClass(className);
    if (info == nullptr || !info->InheritsFrom(TCustomForm::StaticClassInfo())) {
        std::cerr << "kvc-tool render: no form class \"" << className << "\" in this build\n";
        return 2;
    }
    TOwned<TComponent> component = TComponent::CreateInstance(*info);
    component->AfterConstruction();
    auto* form = As<TCustomForm>(component.get());
    form->Show();
    SaveToPng(*form, out);
    std::cout << out << ": " << form->GetWidth() << " x " << form->GetHeight() << "\n";
    return 0;
}

} // namespace

void AddRenderCommand(CLI::App& app, int& result) {
    auto* command = app.add_subcommand("render", "write the picture of a form class as PNG");
    auto formClass = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto lang = std::make_shared<std::string>("CHS");
    command->add_option("FORMCLASS", *formClass, "the form class, e.g. TfrmPaintSample")
        ->required();
    command->add_option("--out", *out, "the PNG file to write")->required();
    command->add_option("--lang", *lang, "interface language (not applied yet)")
        ->check(CLI::IsMember({"CHS", "CHT", "ENG"}));
    command->callback([&result, formClass, out] {
        try {
            result = Render(*formClass, *out);
        } catch (const Exception& error) {
            std::cerr << "kvc-tool render: " << error.Message() << "\n";
            result = 2;
        }
    });
}

} // namespace kvc::tool
