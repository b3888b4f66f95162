#include "toolkit/data_set.h"

#include "runtime/strings.h"
#include "runtime/variant_array.h"
#include "toolkit/class_builder.h"
#include "toolkit/data_source.h"

#include <algorithm>

namespace kvc {

KVC_REGISTER_CLASS(TDataSet) {
    c.Property("Active", &TDataSet::GetActive, &TDataSet::SetActive);
    c.Event("AfterCancel", &TDataSet::AfterCancel);
    c.Event("AfterClose", &TDataSet::AfterClose);
    c.Event("AfterDelete", &TDataSet::AfterDelete);
    c.Event("AfterEdit", &TDataSet::AfterEdit);
    c.Event("AfterInsert", &TDataSet::AfterInsert);
    c.Event("AfterOpen", &TDataSet::AfterOpen);
    c.Event("AfterPost", &TDataSet::AfterPost);
    c.Event("AfterScroll", &TDataSet::AfterScroll);
    c.Event("BeforeCancel", &TDataSet::BeforeCancel);
    c.Event("BeforeClose", &TDataSet::BeforeClose);
    c.Event("BeforeDelete", &TDataSet::BeforeDelete);
    c.Event("BeforeEdit", &TDataSet::BeforeEdit);
    c.Event("BeforeInsert", &TDataSet::BeforeInsert);
    c.Event("BeforeOpen", &TDataSet::BeforeOpen);
    c.Event("BeforePost", &TDataSet::BeforePost);
    c.Event("OnNewRecord", &TDataSet::OnNewRecord);
}

void TDataSet::SetActive(bool value) {
    if (IsLoading()) {
        pendingActive_ = value;
        return;
    }
    if (value == GetActive()) {
        return;
    }
    if (value) {
        DoOpen();
    } else {
        DoClose();
    }
}

void TDataSet::Loaded() {
    TComponent::Loaded();
    if (pendingActive_) {
        pendingActive_ = false;
        SetActive(true);
    }
}

void TDataSet::DoOpen() {
    BeforeOpen(this);
    TDataPacket packet = InternalOpen();
    if (fields_.empty()) {
        for (const TFieldDefinition& def : packet.fields) {
            auto* field = static_cast<TField*>(CreateComponent(FieldClassOf(def.type), this));
            field->SetFieldName(def.name);
            field->SetSize(def.size);
            field->SetRequired(def.required);
            AddField(field);
        }
        defaultFields_ = true;
    }
    TakeRows(std::move(packet));
    SetState(dsBrowse);
    DataEvent(TDataEvent::DataSetChange);
    AfterOpen(this);
}

void TDataSet::TakeRows(TDataPacket packet) {
    for (TField* field : fields_) {
        auto def = std::find_if(packet.fields.begin(), packet.fields.end(),
                                [&](const auto& d) { return SameText(d.name, field->fieldName_); });
        if (def == packet.fields.end()) {
            for (TField* f : fields_) {
                f->fieldNo_ = -1;
            }
            throw EDatabaseError(GetName() + ": Field '" + field->fieldName_ + "' not found");
        }
        field->fieldNo_ = int(def - packet.fields.begin());
    }
    for (auto& row : packet.rows) {
        row.resize(packet.fields.size(), Variant::Null());
    }
    rows_ = std::move(packet.rows);
    cursor_ = rows_.empty() ? -1 : 0;
    bof_ = true;
    eof_ = rows_.empty();
    RowsLoaded();
}

void TDataSet::ReloadRows() {
    CheckBrowseMode();
    TakeRows(InternalOpen());
    DataEvent(TDataEvent::DataSetChange);
    AfterScroll(this);
}

void TDataSet::DoClose() {
    BeforeClose(this);
    SetState(dsInactive);
    rows_.clear();
    buffer_.clear();
    cursor_ = -1;
    bof_ = eof_ = true;
    modified_ = false;
    for (TField* field : fields_) {
        field->fieldNo_ = -1;
    }
    if (defaultFields_) {
        defaultFields_ = false;
        std::vector<TField*> dynamic = fields_;
        for (TField* field : dynamic) {
            if (field->Owner() == this) {
                field->Free();
            }
        }
    }
    DataEvent(TDataEvent::DataSetChange);
    AfterClose(this);
}

void TDataSet::BeforeDestruction() {
    if (GetActive()) {
        state_ = dsInactive;
    }
    for (TField* field : fields_) {
        field->dataSet_ = nullptr;
    }
    fields_.clear();
    for (TDataSource* source : sources_) {
        source->DataSetGone();
    }
    sources_.clear();
    TComponent::BeforeDestruction();
}

void TDataSet::CheckActive() const {
    if (!GetActive()) {
        throw EDatabaseError(GetName() + ": Cannot perform this operation on a closed dataset");
    }
}

TField* TDataSet::Fields(int index) const {
    if (index < 0 || index >= FieldCount()) {
        throw EDatabaseError(GetName() + ": Field index out of range");
    }
    return fields_[std::size_t(index)];
}

TField* TDataSet::FindField(std::string_view name) const {
    for (TField* field : fields_) {
        if (SameText(field->GetFieldName(), name)) {
            return field;
        }
    }
    return nullptr;
}

TField* TDataSet::FieldByName(std::string_view name) const {
    TField* field = FindField(name);
    if (field == nullptr) {
        throw EDatabaseError(GetName() + ": Field '" + std::string(name) + "' not found");
    }
    return field;
}

void TDataSet::AddField(TField* field) {
    fields_.push_back(field);
    field->dataSet_ = this;
}

void TDataSet::RemoveField(TField* field) {
    std::erase(fields_, field);
    field->dataSet_ = nullptr;
    field->fieldNo_ = -1;
}

Variant TDataSet::FieldValue(const TField& field) const {
    CheckActive();
    std::size_t column = std::size_t(field.fieldNo_);
    if (state_ == dsEdit || state_ == dsInsert) {
        return buffer_[column];
    }
    return cursor_ >= 0 ? rows_[std::size_t(cursor_)][column] : Variant::Null();
}

void TDataSet::SetFieldValue(TField& field, const Variant& value) {
    if (state_ != dsEdit && state_ != dsInsert) {
        throw EDatabaseError(GetName() + ": Dataset not in edit or insert mode");
    }
    TDestroyGuard guard(field);
    field.OnValidate(&field);
    if (!guard.Alive()) {
        return;
    }
    buffer_[std::size_t(field.fieldNo_)] = value;
    modified_ = true;
    DataEvent(TDataEvent::FieldChange, &field);
    field.OnChange(&field);
}

void TDataSet::SetState(TDataSetState state) {
    if (state != state_) {
        state_ = state;
        if (state == dsBrowse || state == dsInactive) {
            modified_ = false;
        }
        DataEvent(TDataEvent::UpdateState);
    }
}

void TDataSet::MoveTo(int index) {
    cursor_ = index;
    bof_ = eof_ = false;
    DataEvent(TDataEvent::DataSetScroll);
    AfterScroll(this);
}

void TDataSet::First() {
    CheckBrowseMode();
    cursor_ = rows_.empty() ? -1 : 0;
    DataEvent(TDataEvent::DataSetScroll);
    bof_ = true;
    eof_ = rows_.empty();
    AfterScroll(this);
}

void TDataSet::Last() {
    CheckBrowseMode();
    cursor_ = int(rows_.size()) - 1;
    DataEvent(TDataEvent::DataSetScroll);
    eof_ = true;
    bof_ = rows_.empty();
    AfterScroll(this);
}

int TDataSet::MoveBy(int distance) {
    CheckBrowseMode();
    if (rows_.empty() || distance == 0) {
        bof_ = bof_ && distance <= 0;
        eof_ = eof_ && distance >= 0;
        return 0;
    }
    int target = std::clamp(cursor_ + distance, 0, int(rows_.size()) - 1);
    int moved = target - cursor_;
    bool hitEnd = moved != distance;
    if (moved != 0) {
        MoveTo(target);
    }
    eof_ = hitEnd && distance > 0;
    bof_ = hitEnd && distance < 0;
    return moved;
}

void TDataSet::Next() {
    MoveBy(1);
}

void TDataSet::Prior() {
    MoveBy(-1);
}

int TDataSet::RecNo() const {
    return state_ == dsInsert || cursor_ < 0 ? 0 : cursor_ + 1;
}

void TDataSet::SetRecNo(int value) {
    CheckBrowseMode();
    if (value >= 1 && value <= RecordCount() && value - 1 != cursor_) {
        MoveTo(value - 1);
    }
}

void TDataSet::Edit() {
    CheckActive();
    if (state_ == dsEdit || state_ == dsInsert) {
        return;
    }
    if (rows_.empty()) {
        Append();
        return;
    }
    BeforeEdit(this);
    buffer_ = rows_[std::size_t(cursor_)];
    SetState(dsEdit);
    DataEvent(TDataEvent::DataSetChange);
    AfterEdit(this);
}

void TDataSet::BeginInsert(int position) {
    CheckBrowseMode();
    BeforeInsert(this);
    std::size_t columns = 0;
    for (TField* field : fields_) {
        columns = std::max(columns, std::size_t(field->fieldNo_ + 1));
    }
    buffer_.assign(columns, Variant::Null());
    insertAt_ = position;
    SetState(dsInsert);
    eof_ = bof_ = false;
    OnNewRecord(this);
    modified_ = false;
    DataEvent(TDataEvent::DataSetChange);
    AfterInsert(this);
}

void TDataSet::Append() {
    CheckActive();
    BeginInsert(RecordCount());
}

void TDataSet::Insert() {
    CheckActive();
    BeginInsert(std::max(cursor_, 0));
}

void TDataSet::UpdateRecord() {
    if (state_ == dsEdit || state_ == dsInsert) {
        DataEvent(TDataEvent::UpdateRecord);
    }
}

void TDataSet::Post() {
    CheckActive();
    UpdateRecord();
    if (state_ != dsEdit && state_ != dsInsert) {
        return;
    }
    for (TField* field : fields_) {
        Variant v = buffer_[std::size_t(field->fieldNo_)];
        if (field->GetRequired() && (v.IsNull() || v.IsEmpty())) {
            throw EDatabaseError("Field '" + field->GetDisplayLabel() + "' must have a value");
        }
    }
    BeforePost(this);
    int index = cursor_;
    if (state_ == dsEdit) {
        rows_[std::size_t(cursor_)] = std::move(buffer_);
    } else {
        index = std::clamp(insertAt_, 0, RecordCount());
        rows_.insert(rows_.begin() + index, std::move(buffer_));
    }
    buffer_.clear();
    cursor_ = RecordPosted(index);
    SetState(dsBrowse);
    DataEvent(TDataEvent::DataSetChange);
    AfterPost(this);
}

void TDataSet::Cancel() {
    if (state_ != dsEdit && state_ != dsInsert) {
        return;
    }
    BeforeCancel(this);
    buffer_.clear();
    SetState(dsBrowse);
    eof_ = rows_.empty();
    bof_ = rows_.empty();
    DataEvent(TDataEvent::DataSetChange);
    AfterCancel(this);
}

void TDataSet::CheckBrowseMode() {
    CheckActive();
    if (state_ != dsEdit && state_ != dsInsert) {
        return;
    }
    UpdateRecord();
    if (modified_) {
        Post();
    } else {
        Cancel();
    }
}

void TDataSet::Delete() {
    CheckActive();
    if (state_ == dsInsert) {
        Cancel();
        return;
    }
    if (rows_.empty()) {
        throw EDatabaseError(GetName() + ": Cannot perform this operation on an empty dataset");
    }
    BeforeDelete(this);
    SetState(dsBrowse);
    rows_.erase(rows_.begin() + cursor_);
    cursor_ = std::min(cursor_, RecordCount() - 1);
    bof_ = rows_.empty();
    eof_ = rows_.empty();
    DataEvent(TDataEvent::DataSetChange);
    AfterDelete(this);
    AfterScroll(this);
}

std::vector<std::string> SplitFieldNames(std::string_view names) {
    std::vector<std::string> out;
    std::size_t start = 0;
    while (start <= names.size()) {
        std::size_t end = std::min(names.find(';', start), names.size());
        std::string name = Trim(names.substr(start, end - start));
        if (!name.empty()) {
            out.push_back(std::move(name));
        }
        start = end + 1;
    }
    return out;
}

namespace {

bool KeyMatches(const Variant& value, const Variant& key, TLocateOptions options) {
    bool keyBlank = key.IsNull() || key.IsEmpty();
    bool valueBlank = value.IsNull() || value.IsEmpty();
    if (keyBlank || valueBlank) {
        return keyBlank && valueBlank;
    }
    if (!key.IsString() && !options.Contains(loPartialKey) && value == key) {
        return true;
    }
    std::string a = VarToStr(value);
    std::string b = VarToStr(key);
    if (options.Contains(loCaseInsensitive)) {
        a = AnsiUpperCase(a);
        b = AnsiUpperCase(b);
    }
    return options.Contains(loPartialKey) ? a.starts_with(b) : a == b;
}

} // namespace

bool TDataSet::Locate(std::string_view keyFields, const Variant& keyValues,
                      TLocateOptions options) {
    CheckBrowseMode();
    std::vector<TField*> fields;
    for (const std::string& name : SplitFieldNames(keyFields)) {
        fields.push_back(FieldByName(name));
    }
    std::vector<Variant> keys;
    if (fields.size() == 1 && !keyValues.IsArray()) {
        keys.push_back(keyValues);
    } else {
        int low = VarArrayLowBound(keyValues, 1);
        for (std::size_t i = 0; i < fields.size(); ++i) {
            keys.push_back(keyValues[low + int(i)]);
        }
    }
    for (std::size_t row = 0; row < rows_.size(); ++row) {
        bool all = true;
        for (std::size_t i = 0; i < fields.size() && all; ++i) {
            all = KeyMatches(rows_[row][std::size_t(fields[i]->fieldNo_)], keys[i], options);
        }
        if (all) {
            MoveTo(int(row));
            return true;
        }
    }
    return false;
}

void TDataSet::EnableControls() {
    if (disableCount_ > 0 && --disableCount_ == 0) {
        DataEvent(TDataEvent::DataSetChange);
    }
}

void TDataSet::DataEvent(TDataEvent event, TField* field) {
    if (disableCount_ > 0 && event != TDataEvent::UpdateRecord) {
        return;
    }
    std::vector<TDataSource*> sources = sources_;
    for (TDataSource* source : sources) {
        source->DataEvent(event, field);
    }
}

} // namespace kvc
