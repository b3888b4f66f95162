// TField and its classes: one column of a data set, read and written
// through the data set's current record. Text shows through OnGetText when
// it is set (DisplayText for showing, Text for editing) and is stored
// through OnSetText when it is set.
#pragma once

#include "runtime/variant.h"
#include "toolkit/control.h"
#include "toolkit/data_provider.h"

#include <span>

namespace kvc {

class TDataSet;
class TField;

KVC_ENUM(TFieldKind, fkData, fkCalculated, fkLookup, fkInternalCalc, fkAggregate);
KVC_EVENT_TYPE(TFieldGetTextEvent, TField*, std::string&, bool);
KVC_EVENT_TYPE(TFieldSetTextEvent, TField*, const std::string&);
KVC_EVENT_TYPE(TFieldNotifyEvent, TField*);

class TField : public TComponent {
    KVC_CLASS(TField, TComponent)
public:
    virtual TFieldType DataType() const { return ftUnknown; }
    TDataSet* GetDataSet() const { return dataSet_; }
    // Adds the field to the data set's fields (a closed data set only).
    void SetDataSet(TDataSet* dataSet);
    void SetParentComponent(TComponent* parent) override;

    const std::string& GetFieldName() const { return fieldName_; }
    void SetFieldName(const std::string& value) { fieldName_ = value; }
    // The field name when no label was given.
    std::string GetDisplayLabel() const {
        return displayLabel_.empty() ? fieldName_ : displayLabel_;
    }
    void SetDisplayLabel(const std::string& value) { displayLabel_ = value; }
    int GetDisplayWidth() const { return displayWidth_ > 0 ? displayWidth_ : DefaultWidth(); }
    void SetDisplayWidth(int value) { displayWidth_ = value; }
    bool GetVisible() const { return visible_; }
    void SetVisible(bool value) { visible_ = value; }
    bool GetReadOnly() const { return readOnly_; }
    void SetReadOnly(bool value) { readOnly_ = value; }
    bool GetRequired() const { return required_; }
    void SetRequired(bool value) { required_ = value; }
    int GetSize() const { return size_; }
    void SetSize(int value) { size_ = value; }
    TFieldKind GetFieldKind() const { return fieldKind_; }
    void SetFieldKind(TFieldKind value) { fieldKind_ = value; }
    TAlignment GetAlignment() const { return alignment_; }
    void SetAlignment(TAlignment value) { alignment_ = value; }
    const std::string& GetEditMask() const { return editMask_; }
    void SetEditMask(const std::string& value) { editMask_ = value; }
    // The column of the data set's rows this field reads; -1 while closed.
    int FieldNo() const { return fieldNo_; }
    int Index() const;

    // The value of the current record; Null on an empty data set.
    Variant GetValue() const;
    // Needs the data set in edit or insert mode ("Dataset not in edit or insert mode").
    void SetValue(const Variant& value);
    bool IsNull() const;
    void Clear() { SetValue(Variant::Null()); }
    std::string AsString() const { return GetAsString(); }
    void SetAsString(const std::string& value) { SetValue(TextToValue(value)); }
    std::int32_t AsInteger() const;
    void SetAsInteger(std::int32_t value) { SetValue(value); }
    double AsFloat() const;
    bool AsBoolean() const;
    TDateTime AsDateTime() const;
    Variant AsVariant() const { return GetValue(); }
    void SetAsVariant(const Variant& value) { SetValue(value); }
    // The text for editing and for showing, through OnGetText when set.
    std::string Text() const { return TextFor(false); }
    std::string DisplayText() const { return TextFor(true); }
    // Through OnSetText when set, else as AsString.
    void SetText(const std::string& text);

    TFieldGetTextEvent OnGetText;
    TFieldSetTextEvent OnSetText;
    TFieldNotifyEvent OnChange;
    TFieldNotifyEvent OnValidate;

protected:
    void BeforeDestruction() override;
    virtual std::string GetAsString() const;
    // The value a text stands for in this field; a text that does not fit raises EConvertError.
    virtual Variant TextToValue(const std::string& text) const { return Variant(text); }
    virtual std::string GetText(bool /*display*/) const { return GetAsString(); }
    virtual int DefaultWidth() const { return 10; }

private:
    friend class TDataSet;
    std::string TextFor(bool display) const;

    TDataSet* dataSet_ = nullptr;
    std::string fieldName_;
    std::string displayLabel_;
    std::string editMask_;
    int displayWidth_ = 0;
    int size_ = 0;
    int fieldNo_ = -1;
    bool visible_ = true;
    bool readOnly_ = false;
    bool required_ = false;
    TFieldKind fieldKind_ = fkData;
    TAlignment alignment_ = taLeftJustify;
};

#define KVC_FIELD_CLASS(Name, Parent, Type)                                                        \
    class Name : public Parent {                                                                   \
        KVC_CLASS(Name, Parent)                                                                    \
    public:                                                                                        \
        TFieldType DataType() const override { return Type; }                                      \
    }

class TStringField : public TField {
    KVC_CLASS(TStringField, TField)
public:
    TStringField() { SetSize(20); }
    TFieldType DataType() const override { return ftString; }

protected:
    int DefaultWidth() const override { return GetSize(); }
};

class TNumericField : public TField {
    KVC_CLASS(TNumericField, TField)
public:
    TNumericField() { SetAlignment(taRightJustify); }
};

class TIntegerField : public TNumericField {
    KVC_CLASS(TIntegerField, TNumericField)
public:
    TFieldType DataType() const override { return ftInteger; }

protected:
    Variant TextToValue(const std::string& text) const override;
};

KVC_FIELD_CLASS(TSmallintField, TIntegerField, ftSmallint);
KVC_FIELD_CLASS(TWordField, TIntegerField, ftWord);
KVC_FIELD_CLASS(TAutoIncField, TIntegerField, ftAutoInc);

class TLargeintField : public TNumericField {
    KVC_CLASS(TLargeintField, TNumericField)
public:
    TFieldType DataType() const override { return ftLargeint; }

protected:
    Variant TextToValue(const std::string& text) const override;
};

class TFloatField : public TNumericField {
    KVC_CLASS(TFloatField, TNumericField)
public:
    TFieldType DataType() const override { return ftFloat; }

protected:
    Variant TextToValue(const std::string& text) const override;
    std::string GetAsString() const override;
};

KVC_FIELD_CLASS(TCurrencyField, TFloatField, ftCurrency);
KVC_FIELD_CLASS(TBCDField, TFloatField, ftBCD);

class TBooleanField : public TField {
    KVC_CLASS(TBooleanField, TField)
public:
    TFieldType DataType() const override { return ftBoolean; }

protected:
    Variant TextToValue(const std::string& text) const override;
    std::string GetAsString() const override;
};

class TDateTimeField : public TField {
    KVC_CLASS(TDateTimeField, TField)
public:
    TFieldType DataType() const override { return ftDateTime; }

protected:
    Variant TextToValue(const std::string& text) const override;
    std::string GetAsString() const override;
};

class TDateField : public TDateTimeField {
    KVC_CLASS(TDateField, TDateTimeField)
public:
    TFieldType DataType() const override { return ftDate; }

protected:
    std::string GetAsString() const override;
};

class TTimeField : public TDateTimeField {
    KVC_CLASS(TTimeField, TDateTimeField)
public:
    TFieldType DataType() const override { return ftTime; }

protected:
    std::string GetAsString() const override;
};

KVC_FIELD_CLASS(TBinaryField, TField, ftBytes);
KVC_FIELD_CLASS(TBytesField, TBinaryField, ftBytes);
KVC_FIELD_CLASS(TVarBytesField, TBytesField, ftVarBytes);
KVC_FIELD_CLASS(TBlobField, TField, ftBlob);
KVC_FIELD_CLASS(TMemoField, TBlobField, ftMemo);
KVC_FIELD_CLASS(TGraphicField, TBlobField, ftGraphic);
KVC_FIELD_CLASS(TObjectField, TField, ftADT);
KVC_FIELD_CLASS(TADTField, TObjectField, ftADT);
KVC_FIELD_CLASS(TArrayField, TObjectField, ftArray);
KVC_FIELD_CLASS(TDataSetField, TObjectField, ftDataSet);
KVC_FIELD_CLASS(TReferenceField, TDataSetField, ftReference);
KVC_FIELD_CLASS(TAggregateField, TField, ftUnknown);

// The 26 field classes a stored field definition may name.
std::span<const TClassInfo* const> FieldClasses();
// Adds them to (removes them from) the class registry.
void RegisterFieldClasses();
void UnregisterFieldClasses();
// The class of the fields a data set makes for a column of that type.
const TClassInfo& FieldClassOf(TFieldType type);

} // namespace kvc
