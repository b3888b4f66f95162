#include "language/language_controller.h"

#include "platform/file_system.h"
#include "services/config/client_config.h"
#include "services/config/server_config.h"

#include <exception>

namespace kvc::language {

KVC_REGISTER_CLASS(TLanguageController) {
    c.Property("Active", &TLanguageController::GetActive, &TLanguageController::SetActive);
    c.Property("ExcludeControls", &TLanguageController::GetExcludeControls,
               &TLanguageController::SetExcludeControls);
    c.Event("BeforeOpen", &TLanguageController::BeforeOpen);
    c.Event("AfterOpen", &TLanguageController::AfterOpen);
    c.Event("BeforeClose", &TLanguageController::BeforeClose);
    c.Event("AfterClose", &TLanguageController::AfterClose);
    c.Event("BeforeLoadComponent", &TLanguageController::BeforeLoadComponent);
    c.Event("AfterLoadComponent", &TLanguageController::AfterLoadComponent);
}

KVC_REGISTER_CLASS(TKvLangController) {
    c.Property("LangPackageName", &TKvLangController::GetLangPackageName,
               &TKvLangController::SetLangPackageName);
    c.Property("DesignType", &TKvLangController::GetDesignType, &TKvLangController::SetDesignType);
}

namespace {

// The language codes of the interface code pages.
const char* LanguageCode(const std::string& codePage) {
    if (codePage == "936") {
        return "CHS";
    }
    if (codePage == "950") {
        return "CHT";
    }
    if (codePage == "437") {
        return "ENG";
    }
    return nullptr;
}

std::string LanguageFileOf(TDesignType designType, const std::string& className) {
    return LanguageFolder(designType) + className + ".Lng";
}

} // namespace

std::string LanguageFolder(TDesignType designType) {
    std::string path;
    std::string codePage;
    if (designType == dtServer) {
        const services::TTesseraIniS ini;
        path = ini.ServerPath;
        codePage = ini.UICodePage;
    } else {
        const services::TTesseraIniC ini;
        path = ini.ClientPath;
        codePage = ini.UICodePage;
    }
    const char* code = LanguageCode(codePage);
    if (code == nullptr) {
        return {};
    }
    const std::string folder = path + "MultiLanguage\\" + code + "\\";
    return DirectoryExists(folder) ? folder : std::string();
}

std::string ReadMessage(TDesignType designType, const std::string& className,
                        const std::string& identifier, const std::string& defaultText) {
    try {
        const std::string file = LanguageFileOf(designType, className);
        if (!FileExists(file)) {
            return defaultText;
        }
        const services::XmlDocument document = services::ParseXmlText(ReadFileBytes(file), nullptr);
        if (!document) {
            return defaultText;
        }
        const pugi::xpath_node message =
            services::SelectNode(*document, "//" + identifier + "/@Msg", false);
        if (!message.attribute()) {
            return defaultText;
        }
        return services::AttributeNodeText(message);
    } catch (const std::exception&) {
        // A message text must never stop the message: any failure gives the default.
        return defaultText;
    }
}

TLanguageController::~TLanguageController() = default;

bool TLanguageController::GetActive() const {
    return document_ != nullptr && static_cast<bool>(document_->document_element());
}

void TLanguageController::SetActive(bool value) {
    if (IsLoading()) {
        activeWhenLoaded_ = value;
        return;
    }
    if (value == GetActive()) {
        return;
    }
    if (value) {
        Open();
    } else {
        Close();
    }
}

void TLanguageController::Loaded() {
    TComponent::Loaded();
    if (activeWhenLoaded_) {
        activeWhenLoaded_ = false;
        SetActive(true);
    }
}

void TLanguageController::Open() {
    BeforeOpen(this);
    reader_.reset();
    document_.reset();
    if (fileName_.empty()) {
        throw LanguageControllerError("Cannot Find File " + fileName_ + "!");
    }
    std::string text;
    try {
        text = ReadFileBytes(fileName_);
    } catch (const Exception& error) {
        throw LanguageControllerError(error.Message());
    }
    std::string reason;
    services::XmlDocument document = services::ParseXmlText(text, &reason);
    if (!document) {
        throw LanguageControllerError(reason);
    }
    document_ = std::move(document);
    reader_ = std::make_unique<TLangReader>(*document_, *exclude_, this, BeforeLoadComponent,
                                            AfterLoadComponent);
    AfterOpen(this);
}

void TLanguageController::Close() {
    BeforeClose(this);
    reader_.reset();
    document_.reset();
    AfterClose(this);
}

void TLanguageController::SetExcludeControls(const TStringList& names) {
    *exclude_ = names;
    if (reader_ != nullptr) {
        reader_->SetExcludeControls(*exclude_);
    }
}

TLangReader& TLanguageController::Reader() const {
    if (reader_ == nullptr) {
        throw LanguageControllerError("No active LanguageController!");
    }
    return *reader_;
}

void TLanguageController::SetFileName(const std::string& fileName) {
    if (fileName == fileName_) {
        return;
    }
    fileName_ = fileName;
    SetActive(false);
}

void TKvLangController::SetLangPackageName(const std::string& name) {
    if (name == packageName_) {
        return;
    }
    packageName_ = name;
    SetFileName(LanguageFileOf(designType_, name));
}

} // namespace kvc::language
