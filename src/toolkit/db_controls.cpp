#include "toolkit/db_controls.h"

#include "toolkit/class_builder.h"

namespace kvc {

KVC_REGISTER_CLASS(TDBEdit) {
    c.Property("DataField", &TDBEdit::GetDataField, &TDBEdit::SetDataField);
    c.Property("DataSource", &TDBEdit::GetDataSource, &TDBEdit::SetDataSource);
}

TDBEdit::TDBEdit() {
    link_.OnDataChange = [this] { DataChange(); };
    link_.OnEditingChange = [this] { DataChange(); };
    link_.OnUpdateData = [this] {
        if (TField* field = link_.Field()) {
            field->SetText(GetText());
        }
    };
}

void TDBEdit::SetDataSource(TDataSource* source) {
    if (GetDataSource() != nullptr) {
        RemoveFreeNotification(GetDataSource());
    }
    if (source != nullptr) {
        FreeNotification(source);
    }
    link_.SetDataSource(source);
}

void TDBEdit::Notification(TComponent* component, TOperation operation) {
    TEdit::Notification(component, operation);
    if (operation == opRemove && component == GetDataSource()) {
        link_.SetDataSource(nullptr);
    }
}

void TDBEdit::DataChange() {
    if (link_.IsModified()) {
        return;
    }
    TField* field = link_.Field();
    fromField_ = true;
    // Editing shows the text to edit; browsing the text to show.
    SetText(field == nullptr
                ? std::string()
                : (link_.Editing() && Focused() ? field->Text() : field->DisplayText()));
    fromField_ = false;
}

void TDBEdit::Change() {
    if (!fromField_) {
        link_.Modified();
    }
    TEdit::Change();
}

void TDBEdit::KeyDown(Word& key, TShiftState shift) {
    if ((key == VK_DELETE || key == VK_BACK) && !link_.Edit()) {
        key = 0;
        return;
    }
    TEdit::KeyDown(key, shift);
}

void TDBEdit::KeyPress(char32_t& ch) {
    if ((ch >= 32 || ch == 8) && !link_.Edit()) {
        ch = 0;
        return;
    }
    TEdit::KeyPress(ch);
}

void TDBEdit::DoExit() {
    link_.UpdateRecord();
    TEdit::DoExit();
}

KVC_REGISTER_CLASS(TDBText) {
    c.Property("DataField", &TDBText::GetDataField, &TDBText::SetDataField);
    c.Property("DataSource", &TDBText::GetDataSource, &TDBText::SetDataSource);
}

TDBText::TDBText() {
    link_.OnDataChange = [this] {
        TField* field = link_.Field();
        SetCaption(field != nullptr ? field->DisplayText() : std::string());
    };
}

void TDBText::SetDataSource(TDataSource* source) {
    if (GetDataSource() != nullptr) {
        RemoveFreeNotification(GetDataSource());
    }
    if (source != nullptr) {
        FreeNotification(source);
    }
    link_.SetDataSource(source);
}

void TDBText::Notification(TComponent* component, TOperation operation) {
    TLabel::Notification(component, operation);
    if (operation == opRemove && component == GetDataSource()) {
        link_.SetDataSource(nullptr);
    }
}

} // namespace kvc
