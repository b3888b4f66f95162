#include "toolkit/db_navigator.h"

#include "toolkit/class_builder.h"
#include "toolkit/client_data_set.h"
#include "toolkit/dialogs.h"

#include <array>

namespace kvc {

KVC_REGISTER_CLASS(TDBNavigator) {
    c.Property("Align", &TDBNavigator::GetAlign, &TDBNavigator::SetAlign);
    c.Property("ConfirmDelete", &TDBNavigator::GetConfirmDelete, &TDBNavigator::SetConfirmDelete);
    c.Property("DataSource", &TDBNavigator::GetDataSource, &TDBNavigator::SetDataSource);
    c.Property("Enabled", &TDBNavigator::GetEnabled, &TDBNavigator::SetEnabled);
    c.Property("Flat", &TDBNavigator::GetFlat, &TDBNavigator::SetFlat);
    c.Property("Hints", &TDBNavigator::GetHints, &TDBNavigator::SetHints);
    c.Property("ParentShowHint", &TDBNavigator::GetParentShowHint,
               &TDBNavigator::SetParentShowHint);
    c.Property("ShowHint", &TDBNavigator::GetShowHint, &TDBNavigator::SetShowHint);
    c.Property("TabOrder", &TDBNavigator::GetTabOrder, &TDBNavigator::SetTabOrder);
    c.Property("TabStop", &TDBNavigator::GetTabStop, &TDBNavigator::SetTabStop);
    c.Property("Visible", &TDBNavigator::GetVisible, &TDBNavigator::SetVisible);
    c.Property("VisibleButtons", &TDBNavigator::GetVisibleButtons,
               &TDBNavigator::SetVisibleButtons);
    c.Event("BeforeAction", &TDBNavigator::BeforeAction);
    c.Event("OnClick", &TDBNavigator::OnClick);
}

TDBNavigator::TDBNavigator() {
    SetBounds(0, 0, 240, 25);
}

void TDBNavigator::SetDataSource(TDataSource* source) {
    if (source != nullptr) {
        FreeNotification(source);
    }
    link_.SetDataSource(source);
}

void TDBNavigator::Notification(TComponent* component, TOperation operation) {
    TWinControl::Notification(component, operation);
    if (operation == opRemove && component == GetDataSource()) {
        link_.SetDataSource(nullptr);
    }
}

std::string TDBNavigator::DefaultHint(TNavigateBtn button) {
    static const std::array<const char*, 10> hints{
        "First record",  "Prior record", "Next record", "Last record", "Insert record",
        "Delete record", "Edit record",  "Post edit",   "Cancel edit", "Refresh data"};
    return hints[std::size_t(button)];
}

std::string TDBNavigator::ButtonHint(TNavigateBtn button) const {
    int line = int(button);
    return line < hints_.Count() ? hints_[line] : DefaultHint(button);
}

bool TDBNavigator::ButtonEnabled(TNavigateBtn button) const {
    if (!visibleButtons_.Contains(button) || !GetEnabled() || !link_.Active()) {
        return false;
    }
    TDataSet* data = link_.DataSet();
    bool editing = link_.Editing();
    switch (button) {
    case nbFirst:
    case nbPrior:
        return !editing && !data->Bof();
    case nbNext:
    case nbLast:
        return !editing && !data->Eof();
    case nbInsert:
    case nbRefresh:
        return !editing;
    case nbDelete:
        return !editing && !data->IsEmpty();
    case nbEdit:
        return !editing;
    case nbPost:
    case nbCancel:
        return editing;
    }
    return false;
}

void TDBNavigator::BtnClick(TNavigateBtn button) {
    if (!ButtonEnabled(button)) {
        return;
    }
    TDestroyGuard guard(*this);
    BeforeAction(this, button);
    if (!guard.Alive() || !link_.Active()) {
        return;
    }
    TDataSet* data = link_.DataSet();
    switch (button) {
    case nbFirst:
        data->First();
        break;
    case nbPrior:
        data->Prior();
        break;
    case nbNext:
        data->Next();
        break;
    case nbLast:
        data->Last();
        break;
    case nbInsert:
        data->Insert();
        break;
    case nbDelete:
        if (!confirmDelete_ ||
            MessageDlg("Delete record?", mtConfirmation, {mbOK, mbCancel}) == mrOk) {
            data->Delete();
        }
        break;
    case nbEdit:
        data->Edit();
        break;
    case nbPost:
        data->Post();
        break;
    case nbCancel:
        data->Cancel();
        break;
    case nbRefresh:
        if (auto* client = As<TClientDataSet>(data)) {
            client->Refresh();
        }
        break;
    }
    if (guard.Alive()) {
        OnClick(this, button);
    }
}

} // namespace kvc
