#include "language/code_converter.h"

#include "runtime/variant_array.h"
#include "services/config/client_config.h"
#include "toolkit/class_builder.h"
#include "toolkit/form.h"

#include <exception>

namespace kvc::language {

KVC_REGISTER_CLASS(TCodeConverter) {
    c.Property("DesignType", &TCodeConverter::GetDesignType, &TCodeConverter::SetDesignType);
}

namespace {

// The reverse of a conversion direction; 0 when there is nothing to undo.
int ReverseOf(int mode) {
    if (mode == 1) {
        return 2;
    }
    if (mode == 2) {
        return 1;
    }
    return 0;
}

} // namespace

TCodeConverter::TCodeConverter() {
    ReadSettings();
}

TCodeConverter::~TCodeConverter() = default;

void TCodeConverter::ReadSettings() {
    // Always the client configuration: the stored DesignType is applied only
    // after the converter exists.
    const services::TTesseraIniC ini;
    sourceCodePage_ = ini.SystemCodePage;
    targetCodePage_ = ini.UICodePage;
    convertMode_ = ini.ConvertMode;
    dataConvertMode_ = ini.DataConvertMode;
    if (convertMode_ != 0) {
        translator_ = std::make_unique<TTranslator>();
    }
}

std::string TCodeConverter::Big5ToGB(const std::string& text) const {
    return translator_ == nullptr || text.empty() ? text : translator_->Big5ToGB(text);
}

std::string TCodeConverter::GBToBig5(const std::string& text) const {
    return translator_ == nullptr || text.empty() ? text : translator_->GBToBig5(text);
}

Variant TCodeConverter::ConvertValue(int direction, const Variant& value) const {
    if ((direction != 1 && direction != 2) || translator_ == nullptr || value.IsEmpty() ||
        value.IsNull()) {
        return value;
    }
    if (value.IsArray()) {
        Variant result = value;
        // Elements are stored row by row for both shapes, so one pass over
        // them converts a list element by element and a table cell by cell.
        for (Variant& element : result.MutableArray().Elements()) {
            element = ConvertValue(direction, element);
        }
        return result;
    }
    if (value.Kind() != VariantKind::OleStr) {
        return value;
    }
    const std::string text = value.AsString();
    return Variant(direction == 1 ? translator_->Big5ToGB(text) : translator_->GBToBig5(text));
}

Variant TCodeConverter::ToServer(const Variant& value) const {
    try {
        return ConvertValue(ReverseOf(dataConvertMode_), value);
    } catch (const std::exception&) {
        // A text the library cannot take is sent as it is.
        return value;
    }
}

Variant TCodeConverter::ToSource(const Variant& value) const {
    try {
        return ConvertValue(ReverseOf(convertMode_), value);
    } catch (const std::exception&) {
        return value;
    }
}

void TCodeConverter::SubstituteFont(int mode, TFont& font) {
    if (mode == 0 || mode == 1 || mode == 4) {
        font.SetName("SimSun");
        font.SetCharset(GB2312_CHARSET);
    } else if (mode == 2 || mode == 3) {
        font.SetName("SimSun");
        font.SetCharset(CHINESEBIG5_CHARSET);
    }
}

TModalResult TCodeConverter::ShowDialog(const std::string& text, TMsgDlgType type,
                                        TMsgDlgButtons buttons) {
    if (text.empty()) {
        return TModalResult(0);
    }
    std::string shown = text;
    if (targetCodePage_ == "936" || sourceCodePage_ == "936") {
        shown += "      ";
    }
    TOwned<TMessageForm> dialog = CreateMessageDialog(shown, type, buttons);
    if (auto* owner = As<TCustomForm>(Owner())) {
        if (owner->GetWindowState() == wsMinimized) {
            owner->SetWindowState(wsNormal);
        }
        dialog->SetCaption(owner->GetCaption());
    }
    SubstituteFont(convertMode_, *dialog->GetFont());
    return dialog->ShowModal();
}

} // namespace kvc::language
