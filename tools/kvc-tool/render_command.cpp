// kvc-tool render FORMCLASS --out FILE.png [--lang CHS|CHT|ENG [--lang-dir DIR]]:
// builds a form class of this build from its definition and writes its
// picture, as the classic look paints it.
//
// Without --lang the form shows as the client configuration makes it. With
// --lang it shows as on a workstation whose interface language is that one:
// for the run the tool stands in a system code page (936, 950, 1252) and a
// client configuration of its own (a temporary installation whose profile
// names the interface code page 936, 950 or 437 and whose MultiLanguage
// folder is the language folders' parent), so the form applies the language files of its class
// chain, <parent>/<CHS|CHT|ENG>/<class>.Lng, and under CHT the code converter turns its texts to
// Big5 (Kvlanguage.dll found by the library search). The parent is DIR, or else the MultiLanguage
// folder under the client path of the client configuration.
#include "framework/kv_form.h"
#include "language/code_converter.h"
#include "language/language_controller.h"
#include "platform/drive_map.h"
#include "platform/environment.h"
#include "runtime/exceptions.h"
#include "services/config/client_config.h"
#include "toolkit/class_info.h"
#include "toolkit/component.h"
#include "toolkit/form.h"
#include "toolkit/paint/render.h"
#include "tools/kvc-tool/commands.h"
#include "tools/kvc-tool/form_classes.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>
#include <optional>
#include <string>
#include <system_error>

namespace kvc::tool {

namespace {

namespace fs = std::filesystem;

// The interface and system code pages of a workstation of the language.
struct Workstation {
    std::string interfaceCodePage;
    std::string systemCodePage;
};

Workstation WorkstationOf(const std::string& language) {
    if (language == "CHT") {
        return {"950", "950"};
    }
    if (language == "ENG") {
        return {"437", "1252"};
    }
    return {"936", "936"};
}

void WriteText(const fs::path& file, const std::string& text) {
    std::ofstream out(file, std::ios::binary);
    out << text;
    if (!out.flush()) {
        throw EInOutError("Cannot write " + file.string());
    }
}

// The MultiLanguage folder under the configured client path.
fs::path ConfiguredLanguageParent() {
    const services::TTesseraIniC ini;
    if (ini.ClientPath.empty()) {
        throw Exception("the client configuration names no client path; give --lang-dir");
    }
    const std::optional<fs::path> native = ToNativePath(ini.ClientPath + "MultiLanguage");
    if (!native) {
        throw Exception("the client path " + ini.ClientPath + " is not reachable");
    }
    return *native;
}

// A client installation in a temporary folder for the life of the object:
// the registry names it as the client path, its profile the interface code
// page, and its MultiLanguage folder is the language folders' parent.
class StandInInstallation {
public:
    StandInInstallation(const Workstation& workstation, const fs::path& languageParent)
        : acp_("KVC_ACP", workstation.systemCodePage) {
        std::error_code error;
        if (!fs::is_directory(languageParent, error)) {
            throw Exception("no language folder " + languageParent.string());
        }
        std::string pattern = (fs::temp_directory_path() / "kvc-render-XXXXXX").string();
        if (::mkdtemp(pattern.data()) == nullptr) {
            throw EInOutError("Cannot make a temporary folder");
        }
        folder_ = pattern;
        fs::create_directory_symlink(fs::absolute(languageParent), folder_ / "MultiLanguage");
        std::string clientPath = ToWindowsPath(folder_);
        if (clientPath.empty() || clientPath.back() != '\\') {
            clientPath += '\\';
        }
        std::string escaped;
        for (char c : clientPath) {
            escaped += c == '\\' ? std::string("\\\\") : std::string(1, c);
        }
        WriteText(folder_ / "registry.reg", "Windows Registry Editor Version 5.00\r\n\r\n"
                                            "[HKEY_LOCAL_MACHINE\\Software\\KVC\\Tessera]\r\n"
                                            "\"ClientPath\"=\"" +
                                                escaped + "\"\r\n");
        WriteText(folder_ / "TesseraC.ini",
                  "[CodePage]\r\nUICodePage=" + workstation.interfaceCodePage + "\r\n");
        registry_.emplace("KVC_REGISTRY", (folder_ / "registry.reg").string());
    }
    ~StandInInstallation() {
        registry_.reset();
        std::error_code ignored; // a folder left in the temporary folder harms nobody
        fs::remove_all(folder_, ignored);
    }
    StandInInstallation(const StandInInstallation&) = delete;
    StandInInstallation& operator=(const StandInInstallation&) = delete;

private:
    ScopedEnvironmentVariable acp_;
    fs::path folder_;
    std::optional<ScopedEnvironmentVariable> registry_;
};

// What a form of the system does on show with its own converter and
// language controller, done for a toolkit form with components of the run.
void ApplyLanguage(TCustomForm& form) {
    if (auto* kvForm = As<framework::TKVForm>(&form)) {
        // Its show applied the language files already.
        kvForm->ConvertOnce();
        return;
    }
    auto* controller = Create<language::TKvLangController>(&form);
    framework::ApplyLanguageFiles(*controller, form,
                                  framework::LanguageClassNames(form.ClassType(), true, true));
    auto* converter = Create<language::TCodeConverter>(&form);
    framework::AddControlClassSteps(*converter);
    converter->ConvertForm(form);
}

int Render(const std::string& className, const std::string& out, const std::string& language,
           const std::string& languageDir) {
    const TClassInfo* info = FindFormClass(className);
    if (info == nullptr) {
        std::cerr << "kvc-tool render: no form class \"" << className << "\" in this build\n";
        return 2;
    }
    std::optional<StandInInstallation> installation;
    if (!language.empty()) {
        installation.emplace(WorkstationOf(language), languageDir.empty()
                                                          ? ConfiguredLanguageParent()
                                                          : fs::path(languageDir));
    }
    TOwned<TComponent> component = TComponent::CreateInstance(*info);
    component->AfterConstruction();
    auto* form = As<TCustomForm>(component.get());
    form->Show();
    if (!language.empty()) {
        ApplyLanguage(*form);
    }
    SaveToPng(*form, out);
    std::cout << out << ": " << form->GetWidth() << " x " << form->GetHeight() << " \""
              << form->GetCaption() << "\"\n";
    return 0;
}

} // namespace

void AddRenderCommand(CLI::App& app, int& result) {
    auto* command = app.add_subcommand("render", "write the picture of a form class as PNG");
    auto formClass = std::make_shared<std::string>();
    auto out = std::make_shared<std::string>();
    auto lang = std::make_shared<std::string>();
    auto langDir = std::make_shared<std::string>();
    command->add_option("FORMCLASS", *formClass, "the form class, e.g. TfrmPaintSample")
        ->required();
    command->add_option("--out", *out, "the PNG file to write")->required();
    auto* langOption =
        command
            ->add_option("--lang", *lang,
                         "show the form in this interface language: its language files applied "
                         "and, for CHT, its texts converted to Big5 (default: as configured)")
            ->check(CLI::IsMember({"CHS", "CHT", "ENG"}));
    command
        ->add_option("--lang-dir", *langDir,
                     "the folder holding the language folders CHS, CHT and ENG (default: "
                     "MultiLanguage under the configured client path)")
        ->needs(langOption);
    command->callback([&result, formClass, out, lang, langDir] {
        try {
            result = Render(*formClass, *out, *lang, *langDir);
        } catch (const Exception& error) {
            std::cerr << "kvc-tool render: " << error.Message() << "\n";
            result = 2;
        } catch (const fs::filesystem_error& error) {
            std::cerr << "kvc-tool render: " << error.what() << "\n";
            result = 2;
        }
    });
}

} // namespace kvc::tool
