// TDataSet: rows of field values with a current record, browsed with
// First/Next/Prior/Last and changed locally with Edit/Append/Insert, Post,
// Cancel and Delete. Moving to another record posts a pending change first
// (or drops it when nothing was changed), as the classic data set does.
// Where the rows come from is the descendant's business (InternalOpen).
#pragma once

#include "toolkit/fields.h"

#include <vector>

namespace kvc {

class TDataSource;

KVC_DECLARE_EXCEPTION(EDatabaseError, Exception);

KVC_ENUM(TDataSetState, dsInactive, dsBrowse, dsEdit, dsInsert);
KVC_ENUM(TLocateOption, loCaseInsensitive, loPartialKey);
using TLocateOptions = TSet<TLocateOption>;
enum class TDataEvent {
    FieldChange,   // a field of the current record changed
    DataSetChange, // opened, closed, posted, cancelled, deleted, ...
    DataSetScroll, // another record is current
    UpdateRecord,  // controls write their pending texts to their fields
    UpdateState,   // the state changed
};

// "A;B; C" gives A, B and C.
std::vector<std::string> SplitFieldNames(std::string_view names);

class TDataSet;
KVC_EVENT_TYPE(TDataSetNotifyEvent, TDataSet*);

class TDataSet : public TComponent {
    KVC_CLASS(TDataSet, TComponent)
public:
    TDataSetState State() const { return state_; }
    bool GetActive() const { return state_ != dsInactive; }
    // Set while loading, the data set opens once the definition is read.
    void SetActive(bool value);
    void Open() { SetActive(true); }
    void Close() { SetActive(false); }

    int FieldCount() const { return int(fields_.size()); }
    TField* Fields(int index) const;
    TField* FindField(std::string_view name) const;
    // A missing field raises EDatabaseError ("Field 'X' not found").
    TField* FieldByName(std::string_view name) const;

    void First();
    void Last();
    void Next();
    void Prior();
    int MoveBy(int distance);
    bool Eof() const { return eof_; }
    bool Bof() const { return bof_; }
    int RecordCount() const { return int(rows_.size()); }
    bool IsEmpty() const { return rows_.empty(); }
    // 1-based; 0 on an empty data set or a record being inserted.
    int RecNo() const;
    void SetRecNo(int value);

    void Edit();
    void Append();
    void Insert();
    void Post();
    void Cancel();
    void Delete();
    bool Modified() const { return modified_; }
    // Posts a pending change, or drops it when nothing changed.
    void CheckBrowseMode();
    // The controls write what the user typed into their fields.
    void UpdateRecord();

    // The first record whose fields (names separated by ";") hold the
    // values (one value, or an array of one per field); it becomes the
    // current record. Answers whether one was found.
    bool Locate(std::string_view keyFields, const Variant& keyValues, TLocateOptions options);

    // Whether data-aware controls are told about changes.
    void DisableControls() { ++disableCount_; }
    void EnableControls();
    bool ControlsDisabled() const { return disableCount_ > 0; }

    TDataSetNotifyEvent BeforeOpen, AfterOpen, BeforeClose, AfterClose;
    TDataSetNotifyEvent BeforeEdit, AfterEdit, BeforeInsert, AfterInsert;
    TDataSetNotifyEvent BeforePost, AfterPost, BeforeCancel, AfterCancel;
    TDataSetNotifyEvent BeforeDelete, AfterDelete, AfterScroll, OnNewRecord;

protected:
    // The rows and their fields; raise to refuse opening.
    virtual TDataPacket InternalOpen() = 0;
    // After a record was posted into the rows at index; answers where it is now.
    virtual int RecordPosted(int index) { return index; }
    // After the rows were read, before anyone is told.
    virtual void RowsLoaded() {}
    // Reads the rows again into the same fields; the current record is the
    // first one afterwards.
    void ReloadRows();
    void Loaded() override;
    void BeforeDestruction() override;
    void CheckActive() const;
    std::vector<std::vector<Variant>>& Rows() { return rows_; }
    // Makes index the current record and tells the controls.
    void MoveTo(int index);
    void DataEvent(TDataEvent event, TField* field = nullptr);

private:
    friend class TField;
    friend class TDataSource;
    void AddField(TField* field);
    void RemoveField(TField* field);
    Variant FieldValue(const TField& field) const;
    void SetFieldValue(TField& field, const Variant& value);
    void DoOpen();
    void TakeRows(TDataPacket packet);
    void DoClose();
    void SetState(TDataSetState state);
    void BeginInsert(int position);

    TDataSetState state_ = dsInactive;
    bool pendingActive_ = false;
    std::vector<TField*> fields_;
    bool defaultFields_ = false;
    std::vector<std::vector<Variant>> rows_;
    std::vector<Variant> buffer_;
    int cursor_ = -1;
    int insertAt_ = 0;
    bool bof_ = true;
    bool eof_ = true;
    bool modified_ = false;
    int disableCount_ = 0;
    std::vector<TDataSource*> sources_;
};

} // namespace kvc
