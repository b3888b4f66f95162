#include "toolkit/client_data_set.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

#include <algorithm>
#include <numeric>

namespace kvc {

KVC_REGISTER_CLASS(TCustomRemoteServer) {}

KVC_REGISTER_CLASS(TIndexDef) {
    c.Property("Fields", &TIndexDef::GetFields, &TIndexDef::SetFields);
    c.Property("Name", &TIndexDef::GetName, &TIndexDef::SetName);
    c.Property("Options", &TIndexDef::GetOptions, &TIndexDef::SetOptions);
}

void TIndexDef::Assign(const TPersistent& source) {
    const auto* other = As<TIndexDef>(&source);
    if (other == nullptr) {
        TCollectionItem::Assign(source);
        return;
    }
    name_ = other->name_;
    fields_ = other->fields_;
    options_ = other->options_;
}

KVC_REGISTER_CLASS(TIndexDefs) {}

TIndexDef* TIndexDefs::Find(std::string_view name) const {
    for (int i = 0; i < Count(); ++i) {
        if (SameText(Items(i)->GetName(), name)) {
            return Items(i);
        }
    }
    return nullptr;
}

KVC_REGISTER_CLASS(TClientDataSet) {
    c.Property("IndexDefs", &TClientDataSet::GetIndexDefs);
    c.Property("IndexFieldNames", &TClientDataSet::GetIndexFieldNames,
               &TClientDataSet::SetIndexFieldNames);
    c.Property("IndexName", &TClientDataSet::GetIndexName, &TClientDataSet::SetIndexName);
    c.Property("ProviderName", &TClientDataSet::GetProviderName, &TClientDataSet::SetProviderName);
    c.Property("RemoteServer", &TClientDataSet::GetRemoteServer, &TClientDataSet::SetRemoteServer);
}

TClientDataSet::TClientDataSet() : indexDefs_(std::make_unique<TIndexDefs>()) {}

void TClientDataSet::SetRemoteServer(TCustomRemoteServer* server) {
    if (remoteServer_ != nullptr) {
        RemoveFreeNotification(remoteServer_);
    }
    remoteServer_ = server;
    if (server != nullptr) {
        FreeNotification(server);
    }
}

void TClientDataSet::Notification(TComponent* component, TOperation operation) {
    TDataSet::Notification(component, operation);
    if (operation == opRemove && component == remoteServer_) {
        remoteServer_ = nullptr;
    }
}

TDataPacket TClientDataSet::InternalOpen() {
    std::shared_ptr<TDataProvider> provider = provider_;
    if (provider == nullptr) {
        if (providerName_.empty()) {
            throw EDatabaseError(GetName() + ": Missing data provider or data packet");
        }
        if (remoteServer_ == nullptr) {
            throw EDatabaseError(GetName() + ": Remote server not assigned");
        }
        provider = remoteServer_->GetProvider(providerName_);
    }
    return provider->GetRecords();
}

void TClientDataSet::SetIndexName(const std::string& value) {
    indexName_ = value;
    if (!value.empty()) {
        indexFieldNames_.clear();
    }
    if (GetActive()) {
        MoveTo(SortRows(std::max(RecNo() - 1, 0)));
    }
}

void TClientDataSet::SetIndexFieldNames(const std::string& value) {
    indexFieldNames_ = value;
    if (!value.empty()) {
        indexName_.clear();
    }
    if (GetActive()) {
        MoveTo(SortRows(std::max(RecNo() - 1, 0)));
    }
}

std::string TClientDataSet::ActiveIndexFields() const {
    if (!indexFieldNames_.empty()) {
        return indexFieldNames_;
    }
    if (indexName_.empty()) {
        return {};
    }
    TIndexDef* def = indexDefs_->Find(indexName_);
    if (def == nullptr) {
        throw EDatabaseError(GetName() + ": Index '" + indexName_ + "' not found");
    }
    return def->GetFields();
}

bool TClientDataSet::CaseInsensitiveIndex() const {
    TIndexDef* def = indexName_.empty() ? nullptr : indexDefs_->Find(indexName_);
    return def != nullptr && def->GetOptions().Contains(ixCaseInsensitive);
}

std::vector<TField*> TClientDataSet::IndexFields() const {
    std::vector<TField*> fields;
    for (const std::string& name : SplitFieldNames(ActiveIndexFields())) {
        fields.push_back(FieldByName(name));
    }
    return fields;
}

namespace {

// Null sorts first; numbers as numbers; anything else as text.
int CompareValues(const Variant& a, const Variant& b, bool caseInsensitive) {
    bool aBlank = a.IsNull() || a.IsEmpty();
    bool bBlank = b.IsNull() || b.IsEmpty();
    if (aBlank || bBlank) {
        return int(bBlank) - int(aBlank);
    }
    if (a.IsNumeric() && b.IsNumeric()) {
        double x = a.AsDouble();
        double y = b.AsDouble();
        return x < y ? -1 : (x > y ? 1 : 0);
    }
    std::string x = VarToStr(a);
    std::string y = VarToStr(b);
    if (caseInsensitive) {
        x = AnsiUpperCase(x);
        y = AnsiUpperCase(y);
    }
    return x.compare(y) < 0 ? -1 : (x == y ? 0 : 1);
}

} // namespace

int TClientDataSet::SortRows(int index) {
    std::vector<int> columns;
    for (TField* field : IndexFields()) {
        columns.push_back(field->FieldNo());
    }
    auto& rows = Rows();
    if (columns.empty() || rows.empty()) {
        return index;
    }
    bool ci = CaseInsensitiveIndex();
    std::vector<std::size_t> order(rows.size());
    std::iota(order.begin(), order.end(), std::size_t(0));
    std::stable_sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
        for (int column : columns) {
            int c = CompareValues(rows[a][std::size_t(column)], rows[b][std::size_t(column)], ci);
            if (c != 0) {
                return c < 0;
            }
        }
        return false;
    });
    std::vector<std::vector<Variant>> sorted;
    sorted.reserve(rows.size());
    int moved = index;
    for (std::size_t i = 0; i < order.size(); ++i) {
        if (int(order[i]) == index) {
            moved = int(i);
        }
        sorted.push_back(std::move(rows[order[i]]));
    }
    rows = std::move(sorted);
    return moved;
}

int TClientDataSet::RecordPosted(int index) {
    return SortRows(index);
}

bool TClientDataSet::FindKey(const std::vector<Variant>& values) {
    CheckBrowseMode();
    std::vector<TField*> fields = IndexFields();
    if (fields.empty()) {
        throw EDatabaseError(GetName() + ": No index currently active");
    }
    if (values.size() > fields.size()) {
        throw EDatabaseError(GetName() + ": Too many key values for the index");
    }
    bool ci = CaseInsensitiveIndex();
    const auto& rows = Rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        bool all = true;
        for (std::size_t i = 0; i < values.size() && all; ++i) {
            all = CompareValues(rows[row][std::size_t(fields[i]->FieldNo())], values[i], ci) == 0;
        }
        if (all) {
            MoveTo(int(row));
            return true;
        }
    }
    return false;
}

void TClientDataSet::Refresh() {
    CheckActive();
    CheckBrowseMode();
    std::vector<Variant> key;
    std::vector<TField*> fields = IndexFields();
    if (fields.empty()) {
        for (int i = 0; i < FieldCount(); ++i) {
            fields.push_back(Fields(i));
        }
    }
    if (!IsEmpty()) {
        for (TField* field : fields) {
            key.push_back(field->GetValue());
        }
    }
    ReloadRows();
    if (key.empty()) {
        return;
    }
    const auto& rows = Rows();
    for (std::size_t row = 0; row < rows.size(); ++row) {
        bool all = true;
        for (std::size_t i = 0; i < key.size() && all; ++i) {
            all = CompareValues(rows[row][std::size_t(fields[i]->FieldNo())], key[i], false) == 0;
        }
        if (all) {
            MoveTo(int(row));
            return;
        }
    }
}

} // namespace kvc
