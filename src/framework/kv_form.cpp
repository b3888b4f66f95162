#include "framework/kv_form.h"

#include "platform/file_system.h"
#include "runtime/exceptions.h"
#include "toolkit/class_builder.h"
#include "toolkit/properties.h"

#include <vector>

namespace kvc::framework {

KVC_REGISTER_CLASS(TKVForm) {
    KVC_FIELD(KvConverter);
    KVC_FIELD(LangController);
    KVC_METHOD(FormCreate);
    KVC_METHOD(FormShow);
}

language::TCodeConverter& TKVForm::Converter() const {
    if (KvConverter == nullptr) {
        throw EComponentError(GetName() + ": the form has no KvConverter");
    }
    return *KvConverter;
}

language::TKvLangController& TKVForm::Controller() const {
    if (LangController == nullptr) {
        throw EComponentError(GetName() + ": the form has no LangController");
    }
    return *LangController;
}

void TKVForm::Loaded() {
    inherited::Loaded();
    if (KvConverter != nullptr) {
        AddControlClassSteps(*KvConverter);
    }
}

void TKVForm::FormCreate(TObject* /*sender*/) {
    Converted = false;
    const bool english = TargetCodePage() == "437";
    for (int i = 0; i < ComponentCount(); ++i) {
        TComponent* component = Components(i);
        if (const TPropertyRef ime = FindPropertyPath(component, "ImeName");
            ime && ime.object == component && ime.prop->kind == TPropKind::String) {
            SetStrPropertyByName(component, "ImeName", "");
        }
        if (english && HasPublishedProperty(component, "Font")) {
            // A component whose font refuses a value keeps it; the next one
            // is still done.
            TrySetPropertyPath(component, "Font.Charset", Variant(134));
            TrySetPropertyPath(component, "Font.Name", Variant("Tahoma"));
        }
        AddDisabledGlyphs(*component);
    }
}

void TKVForm::FormShow(TObject* /*sender*/) {
    ApplyLanguage(this, true);
}

std::vector<std::string> LanguageClassNames(const TClassInfo& cls, bool wholeChain,
                                            bool withBaseForm) {
    if (!wholeChain) {
        return {std::string(cls.Name())};
    }
    std::vector<std::string> names;
    for (const TClassInfo* c = &cls; c != nullptr; c = c->Parent()) {
        if (c == &TForm::StaticClassInfo() || c == &TCustomForm::StaticClassInfo() ||
            c == &TComponent::StaticClassInfo() ||
            (!withBaseForm && c == &TKVForm::StaticClassInfo())) {
            break;
        }
        names.insert(names.begin(), std::string(c->Name()));
    }
    return names;
}

void ApplyLanguageFiles(language::TKvLangController& controller, TComponent& object,
                        const std::vector<std::string>& classNames) {
    for (const std::string& name : classNames) {
        controller.SetLangPackageName(name);
        if (FileExists(controller.FileName())) {
            controller.SetActive(true);
            controller.Reader().LoadComponent(&object);
        }
    }
}

void TKVForm::ApplyLanguage(TComponent* object, bool wholeChain) {
    if (object != nullptr) {
        ApplyLanguageFiles(Controller(), *object,
                           LanguageClassNames(object->ClassType(), wholeChain, true));
    }
}

void TKVForm::ApplyOwnLanguage(TComponent* object, bool wholeChain) {
    if (object != nullptr) {
        ApplyLanguageFiles(Controller(), *object,
                           LanguageClassNames(object->ClassType(), wholeChain, false));
    }
}

void TKVForm::ConvertOnce() {
    if (!Converted) {
        Converter().ConvertForm(*this);
        Converted = true;
    }
}

TModalResult TKVForm::ShowDialog(const std::string& text, TMsgDlgType type,
                                 TMsgDlgButtons buttons) {
    return Converter().ShowDialog(text, type, buttons);
}

const std::string& TKVForm::SourceCodePage() const {
    return Converter().SourceCodePage();
}

const std::string& TKVForm::TargetCodePage() const {
    return Converter().TargetCodePage();
}

int TKVForm::ConvertMode() const {
    return Converter().ConvertMode();
}

int TKVForm::DataConvertMode() const {
    return Converter().DataConvertMode();
}

std::string TKVForm::LangText(const std::string& className, const std::string& identifier,
                              bool convertDefault, const std::string& defaultText) const {
    const std::string text =
        convertDefault ? Converter().ToDisplay(Variant(defaultText)).AsString() : defaultText;
    return language::ReadMessage(Controller().GetDesignType(), className, identifier, text);
}

} // namespace kvc::framework
