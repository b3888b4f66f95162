// Data-aware stand-ins: TDBEdit edits the field DataField of the current
// record of DataSource's data set (typing puts the data set into edit
// mode; the text goes into the field when the edit is left or the record
// is posted); TDBText shows the field's display text.
#pragma once

#include "toolkit/data_source.h"
#include "toolkit/edit.h"
#include "toolkit/label.h"

namespace kvc {

class TDBEdit : public TEdit {
    KVC_CLASS(TDBEdit, TEdit)
public:
    TDBEdit();

    TDataSource* GetDataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::string& GetDataField() const { return link_.FieldName(); }
    void SetDataField(const std::string& name) { link_.SetFieldName(name); }
    TField* Field() const { return link_.Field(); }

    void DoExit() override;

protected:
    void Change() override;
    void KeyDown(Word& key, TShiftState shift) override;
    void KeyPress(char32_t& ch) override;
    void Notification(TComponent* component, TOperation operation) override;

private:
    void DataChange();
    TFieldDataLink link_;
    bool fromField_ = false;
};

class TDBText : public TLabel {
    KVC_CLASS(TDBText, TLabel)
public:
    TDBText();

    TDataSource* GetDataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    const std::string& GetDataField() const { return link_.FieldName(); }
    void SetDataField(const std::string& name) { link_.SetFieldName(name); }
    TField* Field() const { return link_.Field(); }

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TFieldDataLink link_;
};

} // namespace kvc
