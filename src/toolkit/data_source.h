// TDataSource and TFieldDataLink: how data-aware controls follow a data set.
// A data source passes the data set's events to its links; a field link
// follows one field by name, answers its text and puts the data set into
// edit mode when its control starts changing it.
#pragma once

#include "toolkit/data_set.h"

#include <functional>
#include <vector>

namespace kvc {

class TDataLink;

class TDataSource : public TComponent {
    KVC_CLASS(TDataSource, TComponent)
public:
    TDataSet* GetDataSet() const { return dataSet_; }
    void SetDataSet(TDataSet* dataSet);
    bool GetAutoEdit() const { return autoEdit_; }
    void SetAutoEdit(bool value) { autoEdit_ = value; }
    bool GetEnabled() const { return enabled_; }
    void SetEnabled(bool value);
    TDataSetState State() const { return dataSet_ != nullptr ? dataSet_->State() : dsInactive; }

    TNotifyEvent OnStateChange;
    TNotifyEvent OnUpdateData;

protected:
    void BeforeDestruction() override;

private:
    friend class TDataSet;
    friend class TDataLink;
    void DataEvent(TDataEvent event, TField* field);
    void DataSetGone();

    TDataSet* dataSet_ = nullptr;
    bool autoEdit_ = true;
    bool enabled_ = true;
    std::vector<TDataLink*> links_;
};

// The connection of one control to a data source.
class TDataLink {
public:
    TDataLink() = default;
    TDataLink(const TDataLink&) = delete;
    TDataLink& operator=(const TDataLink&) = delete;
    virtual ~TDataLink();

    TDataSource* DataSource() const { return source_; }
    void SetDataSource(TDataSource* source);
    TDataSet* DataSet() const { return source_ != nullptr ? source_->GetDataSet() : nullptr; }
    bool Active() const;
    bool Editing() const;

protected:
    friend class TDataSource;
    virtual void ActiveChanged() {}
    virtual void RecordChanged(TField*) {}
    virtual void UpdateData() {}
    virtual void EditingChanged() {}

private:
    TDataSource* source_ = nullptr;
};

class TFieldDataLink : public TDataLink {
public:
    const std::string& FieldName() const { return fieldName_; }
    void SetFieldName(const std::string& name);
    // The field of that name, when the data set is open and has one.
    TField* Field() const;
    bool CanModify() const;
    // Puts the data set into edit mode when the source allows; answers
    // whether the field can be changed now.
    bool Edit();
    // The control's text differs from the field's.
    void Modified() { modified_ = true; }
    bool IsModified() const { return modified_; }
    // The control writes its text now when it changed it (on leaving).
    void UpdateRecord();

    // The field's value changed or another record is current.
    std::function<void()> OnDataChange;
    // The control puts its text into the field.
    std::function<void()> OnUpdateData;
    std::function<void()> OnEditingChange;

protected:
    void ActiveChanged() override { Refresh(); }
    void RecordChanged(TField* field) override;
    void UpdateData() override;
    void EditingChanged() override;

private:
    void Refresh();
    std::string fieldName_;
    bool modified_ = false;
};

} // namespace kvc
