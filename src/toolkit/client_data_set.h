// TClientDataSet: a data set whose rows come from a provider, either given
// directly or found by ProviderName on its RemoteServer, kept in the order
// of its active index (IndexName among IndexDefs, or IndexFieldNames).
// Changes stay local. FindKey searches the active index's fields.
#pragma once

#include "toolkit/collection.h"
#include "toolkit/data_set.h"

#include <memory>

namespace kvc {

KVC_ENUM(TIndexOption, ixPrimary, ixUnique, ixDescending, ixCaseInsensitive, ixExpression,
         ixNonMaintained);
using TIndexOptions = TSet<TIndexOption>;

class TIndexDef : public TCollectionItem {
    KVC_CLASS(TIndexDef, TCollectionItem)
public:
    const std::string& GetName() const { return name_; }
    void SetName(const std::string& value) { name_ = value; }
    const std::string& GetFields() const { return fields_; }
    void SetFields(const std::string& value) { fields_ = value; }
    TIndexOptions GetOptions() const { return options_; }
    void SetOptions(TIndexOptions value) { options_ = value; }
    void Assign(const TPersistent& source) override;

private:
    std::string name_;
    std::string fields_;
    TIndexOptions options_;
};

class TIndexDefs : public TCollection {
    KVC_CLASS(TIndexDefs, TCollection)
public:
    TIndexDefs() : TCollection(TIndexDef::StaticClassInfo()) {}
    TIndexDef* Items(int index) const { return Item<TIndexDef>(index); }
    TIndexDef* Find(std::string_view name) const;
};

class TClientDataSet : public TDataSet {
    KVC_CLASS(TClientDataSet, TDataSet)
public:
    TClientDataSet();

    TCustomRemoteServer* GetRemoteServer() const { return remoteServer_; }
    void SetRemoteServer(TCustomRemoteServer* server);
    const std::string& GetProviderName() const { return providerName_; }
    void SetProviderName(const std::string& value) { providerName_ = value; }
    // A provider given directly takes the place of RemoteServer and ProviderName.
    void SetProvider(std::shared_ptr<TDataProvider> provider) { provider_ = std::move(provider); }

    TIndexDefs* GetIndexDefs() const { return indexDefs_.get(); }
    const std::string& GetIndexName() const { return indexName_; }
    void SetIndexName(const std::string& value);
    const std::string& GetIndexFieldNames() const { return indexFieldNames_; }
    void SetIndexFieldNames(const std::string& value);
    // The fields of the active index, empty when none is active.
    std::vector<TField*> IndexFields() const;

    // The record whose index fields equal the values (the first ones when
    // fewer values are given) becomes current. No active index raises
    // EDatabaseError.
    bool FindKey(const std::vector<Variant>& values);
    // Fetches the rows again and stays on the same key when it is still there.
    void Refresh();

protected:
    TDataPacket InternalOpen() override;
    int RecordPosted(int index) override;
    void RowsLoaded() override { SortRows(0); }
    void Notification(TComponent* component, TOperation operation) override;

private:
    std::string ActiveIndexFields() const;
    bool CaseInsensitiveIndex() const;
    // Sorts the rows by the active index and answers where row index went.
    int SortRows(int index);

    TCustomRemoteServer* remoteServer_ = nullptr;
    std::string providerName_;
    std::shared_ptr<TDataProvider> provider_;
    std::unique_ptr<TIndexDefs> indexDefs_;
    std::string indexName_;
    std::string indexFieldNames_;
};

} // namespace kvc
