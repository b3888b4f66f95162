#include "toolkit/data_source.h"

#include "toolkit/class_builder.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TDataSource) {
    c.Property("AutoEdit", &TDataSource::GetAutoEdit, &TDataSource::SetAutoEdit);
    c.Property("DataSet", &TDataSource::GetDataSet, &TDataSource::SetDataSet);
    c.Property("Enabled", &TDataSource::GetEnabled, &TDataSource::SetEnabled);
    c.Event("OnStateChange", &TDataSource::OnStateChange);
    c.Event("OnUpdateData", &TDataSource::OnUpdateData);
}

void TDataSource::SetDataSet(TDataSet* dataSet) {
    if (dataSet == dataSet_) {
        return;
    }
    if (dataSet_ != nullptr) {
        std::erase(dataSet_->sources_, this);
    }
    dataSet_ = dataSet;
    if (dataSet != nullptr) {
        dataSet->sources_.push_back(this);
    }
    DataEvent(TDataEvent::DataSetChange, nullptr);
}

void TDataSource::SetEnabled(bool value) {
    enabled_ = value;
    DataEvent(TDataEvent::DataSetChange, nullptr);
}

void TDataSource::DataSetGone() {
    dataSet_ = nullptr;
    DataEvent(TDataEvent::DataSetChange, nullptr);
}

void TDataSource::BeforeDestruction() {
    SetDataSet(nullptr);
    std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        link->SetDataSource(nullptr);
    }
    TComponent::BeforeDestruction();
}

void TDataSource::DataEvent(TDataEvent event, TField* field) {
    if (event == TDataEvent::UpdateState) {
        OnStateChange(this);
    } else if (event == TDataEvent::UpdateRecord) {
        OnUpdateData(this);
    }
    std::vector<TDataLink*> links = links_;
    for (TDataLink* link : links) {
        if (std::find(links_.begin(), links_.end(), link) == links_.end()) {
            continue;
        }
        switch (event) {
        case TDataEvent::FieldChange:
            link->RecordChanged(field);
            break;
        case TDataEvent::DataSetChange:
        case TDataEvent::DataSetScroll:
            link->ActiveChanged();
            break;
        case TDataEvent::UpdateRecord:
            link->UpdateData();
            break;
        case TDataEvent::UpdateState:
            link->EditingChanged();
            break;
        }
    }
}

TDataLink::~TDataLink() {
    if (source_ != nullptr) {
        std::erase(source_->links_, this);
    }
}

void TDataLink::SetDataSource(TDataSource* source) {
    if (source == source_) {
        return;
    }
    if (source_ != nullptr) {
        std::erase(source_->links_, this);
    }
    source_ = source;
    if (source != nullptr) {
        source->links_.push_back(this);
    }
    ActiveChanged();
}

bool TDataLink::Active() const {
    return source_ != nullptr && source_->GetEnabled() && DataSet() != nullptr &&
           DataSet()->GetActive();
}

bool TDataLink::Editing() const {
    return Active() && (DataSet()->State() == dsEdit || DataSet()->State() == dsInsert);
}

void TFieldDataLink::SetFieldName(const std::string& name) {
    fieldName_ = name;
    Refresh();
}

TField* TFieldDataLink::Field() const {
    return Active() && !fieldName_.empty() ? DataSet()->FindField(fieldName_) : nullptr;
}

bool TFieldDataLink::CanModify() const {
    TField* field = Field();
    return field != nullptr && !field->GetReadOnly();
}

bool TFieldDataLink::Edit() {
    if (!CanModify()) {
        return false;
    }
    if (!Editing() && DataSource()->GetAutoEdit()) {
        DataSet()->Edit();
    }
    return Editing();
}

void TFieldDataLink::UpdateRecord() {
    if (modified_ && Editing()) {
        UpdateData();
    }
}

void TFieldDataLink::Refresh() {
    modified_ = false;
    if (OnDataChange) {
        OnDataChange();
    }
}

void TFieldDataLink::RecordChanged(TField* field) {
    if (field == nullptr || field == Field()) {
        Refresh();
    }
}

void TFieldDataLink::UpdateData() {
    if (modified_ && OnUpdateData) {
        OnUpdateData();
    }
    modified_ = false;
}

void TFieldDataLink::EditingChanged() {
    if (OnEditingChange) {
        OnEditingChange();
    }
}

} // namespace kvc
