// TDBNavigator: the buttons that move through and change the data set of
// its DataSource, each with a hint (Hints replaces the default ones in
// button order). A button does nothing when its action cannot apply now.
#pragma once

#include "runtime/string_list.h"
#include "toolkit/data_source.h"
#include "toolkit/win_control.h"

namespace kvc {

KVC_ENUM(TNavigateBtn, nbFirst, nbPrior, nbNext, nbLast, nbInsert, nbDelete, nbEdit, nbPost,
         nbCancel, nbRefresh);
using TButtonSet = TSet<TNavigateBtn>;
KVC_EVENT_TYPE(TNavClickEvent, TObject*, TNavigateBtn);

class TDBNavigator : public TWinControl {
    KVC_CLASS(TDBNavigator, TWinControl)
public:
    TDBNavigator();

    TDataSource* GetDataSource() const { return link_.DataSource(); }
    void SetDataSource(TDataSource* source);
    TButtonSet GetVisibleButtons() const { return visibleButtons_; }
    void SetVisibleButtons(TButtonSet value) { visibleButtons_ = value; }
    TStringList* GetHints() const { return &hints_; }
    void SetHints(const TStringList& hints) { hints_ = hints; }
    bool GetConfirmDelete() const { return confirmDelete_; }
    void SetConfirmDelete(bool value) { confirmDelete_ = value; }
    bool GetFlat() const { return flat_; }
    void SetFlat(bool value) { flat_ = value; }

    // The hint of a button: its line of Hints when there is one, else the default.
    std::string ButtonHint(TNavigateBtn button) const;
    static std::string DefaultHint(TNavigateBtn button);
    // Whether the button is visible and its action applies to the data set now.
    bool ButtonEnabled(TNavigateBtn button) const;
    // The user's click on a button: BeforeAction, the action, then OnClick.
    void BtnClick(TNavigateBtn button);

    TNavClickEvent BeforeAction;
    TNavClickEvent OnClick;

protected:
    void Notification(TComponent* component, TOperation operation) override;

private:
    TDataLink link_;
    TButtonSet visibleButtons_{nbFirst,  nbPrior, nbNext, nbLast,   nbInsert,
                               nbDelete, nbEdit,  nbPost, nbCancel, nbRefresh};
    mutable TStringList hints_;
    bool confirmDelete_ = true;
    bool flat_ = false;
};

} // namespace kvc
