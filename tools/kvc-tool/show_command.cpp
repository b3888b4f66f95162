// kvc-tool show FORMCLASS: opens a form class of this build in a real window
// (the backend KVC_BACKEND names, "sdl") and waits until the user closes it;
// prints the form's modal result then. Without a window backend there is no
// one to close the form, so the command refuses to start.
#include "runtime/exceptions.h"
#include "toolkit/application.h"
#include "toolkit/backend/backend_select.h"
#include "toolkit/class_info.h"
#include "toolkit/component.h"
#include "toolkit/form.h"
#include "tools/kvc-tool/commands.h"
#include "tools/kvc-tool/form_classes.h"

#include <array>
#include <iostream>
#include <memory>
#include <string>

namespace kvc::tool {

namespace {

std::string ModalResultName(TModalResult result) {
    static constexpr std::array<const char*, 9> kNames{
        "mrNone", "mrOk", "mrCancel", "mrAbort", "mrRetry", "mrIgnore", "mrYes", "mrNo", "mrAll"};
    if (result >= 0 && std::size_t(result) < kNames.size()) {
        return kNames[std::size_t(result)];
    }
    return std::to_string(result);
}

int Show(const std::string& className) {
    std::unique_ptr<TWindowBackend> backend = MakeBackendFromEnvironment();
    if (backend == nullptr) {
        std::cerr << "kvc-tool show: no window backend: set KVC_BACKEND=sdl\n";
        return 2;
    }
    TScopedBackend scoped(*backend);
    const TClassInfo* info = FindFormClass(className);
    if (info == nullptr) {
        std::cerr << "kvc-tool show: no form class \"" << className << "\" in this build\n";
        return 2;
    }
    TOwned<TComponent> component = TComponent::CreateInstance(*info);
    component->AfterConstruction();
    auto* form = As<TCustomForm>(component.get());
    std::cout << ModalResultName(form->ShowModal()) << "\n";
    return 0;
}

} // namespace

void AddShowCommand(CLI::App& app, int& result) {
    auto* command = app.add_subcommand(
        "show", "open a form class in a real window (KVC_BACKEND=sdl) until it is closed");
    auto formClass = std::make_shared<std::string>();
    command->add_option("FORMCLASS", *formClass, "the form class, e.g. TfrmPaintSample")
        ->required();
    command->callback([&result, formClass] {
        try {
            result = Show(*formClass);
        } catch (const Exception& error) {
            std::cerr << "kvc-tool show: " << error.Message() << "\n";
            result = 2;
        }
    });
}

} // namespace kvc::tool
