#include "toolkit/fields.h"

#include "runtime/datetime.h"
#include "runtime/strings.h"
#include "toolkit/class_builder.h"
#include "toolkit/data_set.h"

#include <array>

namespace kvc {

KVC_REGISTER_CLASS(TField) {
    c.Property("Alignment", &TField::GetAlignment, &TField::SetAlignment);
    c.Property("DisplayLabel", &TField::GetDisplayLabel, &TField::SetDisplayLabel);
    c.Property("DisplayWidth", &TField::GetDisplayWidth, &TField::SetDisplayWidth);
    c.Property("EditMask", &TField::GetEditMask, &TField::SetEditMask);
    c.Property("FieldKind", &TField::GetFieldKind, &TField::SetFieldKind);
    c.Property("FieldName", &TField::GetFieldName, &TField::SetFieldName);
    c.Property("ReadOnly", &TField::GetReadOnly, &TField::SetReadOnly);
    c.Property("Required", &TField::GetRequired, &TField::SetRequired);
    c.Property("Size", &TField::GetSize, &TField::SetSize);
    c.Property("Visible", &TField::GetVisible, &TField::SetVisible);
    c.Event("OnChange", &TField::OnChange);
    c.Event("OnGetText", &TField::OnGetText);
    c.Event("OnSetText", &TField::OnSetText);
    c.Event("OnValidate", &TField::OnValidate);
}

void TField::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (dataSet != nullptr && dataSet->GetActive()) {
        throw EDatabaseError("Cannot perform this operation on an open dataset");
    }
    if (dataSet_ != nullptr) {
        dataSet_->RemoveField(this);
    }
    if (dataSet != nullptr) {
        dataSet->AddField(this);
    }
}

void TField::SetParentComponent(TComponent* parent) {
    if (auto* dataSet = As<TDataSet>(parent)) {
        SetDataSet(dataSet);
    } else {
        TComponent::SetParentComponent(parent);
    }
}

int TField::Index() const {
    if (dataSet_ == nullptr) {
        return -1;
    }
    for (int i = 0; i < dataSet_->FieldCount(); ++i) {
        if (dataSet_->Fields(i) == this) {
            return i;
        }
    }
    return -1;
}

Variant TField::GetValue() const {
    if (dataSet_ == nullptr) {
        throw EDatabaseError("Field '" + GetDisplayLabel() + "' has no dataset");
    }
    return dataSet_->FieldValue(*this);
}

void TField::SetValue(const Variant& value) {
    if (dataSet_ == nullptr) {
        throw EDatabaseError("Field '" + GetDisplayLabel() + "' has no dataset");
    }
    if (readOnly_) {
        throw EDatabaseError("Field '" + GetDisplayLabel() + "' cannot be modified");
    }
    dataSet_->SetFieldValue(*this, value);
}

bool TField::IsNull() const {
    Variant v = GetValue();
    return v.IsNull() || v.IsEmpty();
}

std::int32_t TField::AsInteger() const {
    return IsNull() ? 0 : GetValue().AsInteger();
}

double TField::AsFloat() const {
    return IsNull() ? 0.0 : GetValue().AsDouble();
}

bool TField::AsBoolean() const {
    return !IsNull() && GetValue().AsBoolean();
}

TDateTime TField::AsDateTime() const {
    return IsNull() ? TDateTime{} : GetValue().AsDate();
}

std::string TField::GetAsString() const {
    return VarToStr(GetValue());
}

std::string TField::TextFor(bool display) const {
    if (OnGetText.Assigned()) {
        std::string text;
        OnGetText(const_cast<TField*>(this), text, display);
        return text;
    }
    return GetText(display);
}

void TField::SetText(const std::string& text) {
    if (OnSetText.Assigned()) {
        OnSetText(this, text);
    } else {
        SetAsString(text);
    }
}

void TField::BeforeDestruction() {
    if (dataSet_ != nullptr) {
        dataSet_->RemoveField(this);
    }
    TComponent::BeforeDestruction();
}

KVC_REGISTER_CLASS(TStringField) {}
KVC_REGISTER_CLASS(TNumericField) {}
KVC_REGISTER_CLASS(TIntegerField) {}
KVC_REGISTER_CLASS(TSmallintField) {}
KVC_REGISTER_CLASS(TWordField) {}
KVC_REGISTER_CLASS(TAutoIncField) {}
KVC_REGISTER_CLASS(TLargeintField) {}
KVC_REGISTER_CLASS(TFloatField) {}
KVC_REGISTER_CLASS(TCurrencyField) {}
KVC_REGISTER_CLASS(TBCDField) {}
KVC_REGISTER_CLASS(TBooleanField) {}
KVC_REGISTER_CLASS(TDateTimeField) {}
KVC_REGISTER_CLASS(TDateField) {}
KVC_REGISTER_CLASS(TTimeField) {}
KVC_REGISTER_CLASS(TBinaryField) {}
KVC_REGISTER_CLASS(TBytesField) {}
KVC_REGISTER_CLASS(TVarBytesField) {}
KVC_REGISTER_CLASS(TBlobField) {}
KVC_REGISTER_CLASS(TMemoField) {}
KVC_REGISTER_CLASS(TGraphicField) {}
KVC_REGISTER_CLASS(TObjectField) {}
KVC_REGISTER_CLASS(TADTField) {}
KVC_REGISTER_CLASS(TArrayField) {}
KVC_REGISTER_CLASS(TDataSetField) {}
KVC_REGISTER_CLASS(TReferenceField) {}
KVC_REGISTER_CLASS(TAggregateField) {}

namespace {

Variant NullIfBlank(const std::string& text) {
    return Trim(text).empty() ? Variant::Null() : Variant();
}

[[noreturn]] void NotValid(const std::string& text, const char* kind) {
    throw EConvertError("'" + text + "' is not a valid " + kind);
}

} // namespace

Variant TIntegerField::TextToValue(const std::string& text) const {
    if (Trim(text).empty()) {
        return NullIfBlank(text);
    }
    std::int32_t value = 0;
    if (!TryStrToInt(Trim(text), value)) {
        NotValid(text, "integer value");
    }
    return value;
}

Variant TLargeintField::TextToValue(const std::string& text) const {
    if (Trim(text).empty()) {
        return NullIfBlank(text);
    }
    std::int64_t value = 0;
    if (!TryStrToInt64(Trim(text), value)) {
        NotValid(text, "integer value");
    }
    return value;
}

Variant TFloatField::TextToValue(const std::string& text) const {
    if (Trim(text).empty()) {
        return NullIfBlank(text);
    }
    return StrToFloat(Trim(text));
}

std::string TFloatField::GetAsString() const {
    return IsNull() ? std::string() : FloatToStr(AsFloat());
}

Variant TBooleanField::TextToValue(const std::string& text) const {
    std::string t = Trim(text);
    if (t.empty()) {
        return Variant::Null();
    }
    if (SameText(t, "True") || SameText(t, "T") || SameText(t, "Y")) {
        return true;
    }
    if (SameText(t, "False") || SameText(t, "F") || SameText(t, "N")) {
        return false;
    }
    NotValid(text, "boolean value");
}

std::string TBooleanField::GetAsString() const {
    return IsNull() ? std::string() : (AsBoolean() ? "True" : "False");
}

Variant TDateTimeField::TextToValue(const std::string& text) const {
    if (Trim(text).empty()) {
        return Variant::Null();
    }
    return Variant::FromDate(StrToDateTime(Trim(text)));
}

std::string TDateTimeField::GetAsString() const {
    return IsNull() ? std::string() : DateTimeToStr(AsDateTime());
}

std::string TDateField::GetAsString() const {
    return IsNull() ? std::string() : DateToStr(AsDateTime());
}

std::string TTimeField::GetAsString() const {
    return IsNull() ? std::string() : TimeToStr(AsDateTime());
}

std::span<const TClassInfo* const> FieldClasses() {
    static const std::array<const TClassInfo*, 26> classes{
        &TADTField::StaticClassInfo(),       &TAggregateField::StaticClassInfo(),
        &TArrayField::StaticClassInfo(),     &TAutoIncField::StaticClassInfo(),
        &TBCDField::StaticClassInfo(),       &TBinaryField::StaticClassInfo(),
        &TBlobField::StaticClassInfo(),      &TBooleanField::StaticClassInfo(),
        &TBytesField::StaticClassInfo(),     &TCurrencyField::StaticClassInfo(),
        &TDateField::StaticClassInfo(),      &TDataSetField::StaticClassInfo(),
        &TDateTimeField::StaticClassInfo(),  &TFloatField::StaticClassInfo(),
        &TGraphicField::StaticClassInfo(),   &TIntegerField::StaticClassInfo(),
        &TLargeintField::StaticClassInfo(),  &TMemoField::StaticClassInfo(),
        &TNumericField::StaticClassInfo(),   &TObjectField::StaticClassInfo(),
        &TReferenceField::StaticClassInfo(), &TSmallintField::StaticClassInfo(),
        &TStringField::StaticClassInfo(),    &TTimeField::StaticClassInfo(),
        &TVarBytesField::StaticClassInfo(),  &TWordField::StaticClassInfo(),
    };
    return classes;
}

void RegisterFieldClasses() {
    for (const TClassInfo* cls : FieldClasses()) {
        RegisterClass(*cls);
    }
}

void UnregisterFieldClasses() {
    for (const TClassInfo* cls : FieldClasses()) {
        UnregisterClass(*cls);
    }
}

const TClassInfo& FieldClassOf(TFieldType type) {
    switch (type) {
    case ftSmallint:
        return TSmallintField::StaticClassInfo();
    case ftInteger:
        return TIntegerField::StaticClassInfo();
    case ftWord:
        return TWordField::StaticClassInfo();
    case ftAutoInc:
        return TAutoIncField::StaticClassInfo();
    case ftLargeint:
        return TLargeintField::StaticClassInfo();
    case ftBoolean:
        return TBooleanField::StaticClassInfo();
    case ftFloat:
        return TFloatField::StaticClassInfo();
    case ftCurrency:
        return TCurrencyField::StaticClassInfo();
    case ftBCD:
        return TBCDField::StaticClassInfo();
    case ftDate:
        return TDateField::StaticClassInfo();
    case ftTime:
        return TTimeField::StaticClassInfo();
    case ftDateTime:
        return TDateTimeField::StaticClassInfo();
    case ftBytes:
        return TBytesField::StaticClassInfo();
    case ftVarBytes:
        return TVarBytesField::StaticClassInfo();
    case ftBlob:
    case ftTypedBinary:
        return TBlobField::StaticClassInfo();
    case ftMemo:
    case ftFmtMemo:
        return TMemoField::StaticClassInfo();
    case ftGraphic:
        return TGraphicField::StaticClassInfo();
    case ftADT:
        return TADTField::StaticClassInfo();
    case ftArray:
        return TArrayField::StaticClassInfo();
    case ftReference:
        return TReferenceField::StaticClassInfo();
    case ftDataSet:
        return TDataSetField::StaticClassInfo();
    default:
        return TStringField::StaticClassInfo();
    }
}

} // namespace kvc
