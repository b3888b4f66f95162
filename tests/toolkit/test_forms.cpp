#include "test_forms.h"

#include "toolkit/class_builder.h"

namespace kvc::test {

std::string NameOf(TObject* object) {
    auto* c = As<TComponent>(object);
    return c != nullptr ? c->GetName() : "?";
}

KVC_REGISTER_CLASS(TfrmBase) {
    KVC_FIELD(pnlTop);
    KVC_FIELD(lblName);
    KVC_FIELD(edName);
    KVC_FIELD(btnOk);
    KVC_METHOD(FormCreate);
    KVC_METHOD(FormShow);
    KVC_METHOD(btnOkClick);
    KVC_METHOD(edNameChange);
    KVC_METHOD(edNameEnter);
    KVC_METHOD(edNameExit);
    KVC_METHOD(FormKeyPress);
    KVC_METHOD(FormKeyDown);
    KVC_METHOD(FormClose);
    KVC_METHOD(FormCloseQuery);
    KVC_METHOD(FormDestroy);
    KVC_METHOD(pnlTopEnter);
    KVC_METHOD(pnlTopExit);
    KVC_METHOD(FreeFormClick);
}

void TfrmBase::WndProc(TMessage& message) {
    switch (message.Msg) {
    case WM_MOVE:
        notices.push_back("WM_MOVE " + std::to_string(message.LParam & 0xFFFF) + "," +
                          std::to_string(message.LParam >> 16));
        break;
    case WM_SIZE:
        notices.push_back("WM_SIZE " + std::to_string(message.LParam & 0xFFFF) + "," +
                          std::to_string(message.LParam >> 16));
        break;
    case CM_FOCUSCHANGED:
        notices.push_back("CM_FOCUSCHANGED " + NameOf(reinterpret_cast<TObject*>(message.LParam)) +
                          " active=" + NameOf(GetActiveControl()));
        break;
    default:
        break;
    }
    TForm::WndProc(message);
}

void TfrmBase::FormCreate(TObject* sender) {
    Log("FormCreate " + NameOf(sender) + " loading=" + (IsLoading() ? "yes" : "no"));
}
void TfrmBase::FormShow(TObject* sender) {
    Log("FormShow " + NameOf(sender) + " visible=" + (GetVisible() ? "yes" : "no") +
        " active=" + (IsActive() ? "yes" : "no"));
}
void TfrmBase::btnOkClick(TObject* sender) {
    Log("base.btnOkClick " + NameOf(sender));
}
void TfrmBase::edNameChange(TObject* sender) {
    Log("edNameChange " + static_cast<TEdit*>(sender)->GetText());
}
void TfrmBase::edNameEnter(TObject*) {
    Log("edNameEnter active=" + NameOf(GetActiveControl()));
}
void TfrmBase::edNameExit(TObject*) {
    Log("edNameExit active=" + NameOf(GetActiveControl()));
    if (onNameExit) {
        onNameExit();
    }
}
void TfrmBase::FormKeyPress(TObject*, char32_t& key) {
    Log("FormKeyPress " + std::to_string(unsigned(key)));
    if (swallowKeys) {
        key = 0;
    }
}
void TfrmBase::FormKeyDown(TObject*, Word& key, TShiftState shift) {
    Log("FormKeyDown " + std::to_string(key) + (shift.Contains(ssCtrl) ? " ctrl" : "") +
        (shift.Contains(ssShift) ? " shift" : ""));
    if (swallowKeys) {
        key = 0;
    }
}
void TfrmBase::FormClose(TObject*, TCloseAction& action) {
    Log("FormClose");
    action = closeAction;
}
void TfrmBase::FormCloseQuery(TObject*, bool& allow) {
    Log("FormCloseQuery");
    allow = canClose;
}
void TfrmBase::FormDestroy(TObject*) {
    if (destroyLog != nullptr) {
        destroyLog->push_back("FormDestroy components=" + std::to_string(ComponentCount()));
    }
}
void TfrmBase::pnlTopEnter(TObject*) {
    Log("pnlTopEnter");
}
void TfrmBase::pnlTopExit(TObject*) {
    Log("pnlTopExit active=" + NameOf(GetActiveControl()));
}
void TfrmBase::FreeFormClick(TObject* sender) {
    Log("FreeFormClick " + NameOf(sender));
    Free();
}

KVC_REGISTER_CLASS(TfrmMiddle) {
    KVC_FIELD(edCode);
    KVC_FIELD(btnCancel);
    KVC_METHOD(btnOkClick);
    KVC_METHOD(btnCancelClick);
    KVC_METHOD(edCodeEnter);
    KVC_METHOD(edCodeExit);
}

void TfrmMiddle::btnOkClick(TObject* sender) {
    Log("middle.btnOkClick " + NameOf(sender));
}
void TfrmMiddle::btnCancelClick(TObject* sender) {
    Log("btnCancelClick " + NameOf(sender));
}
void TfrmMiddle::edCodeEnter(TObject*) {
    Log("edCodeEnter active=" + NameOf(GetActiveControl()));
}
void TfrmMiddle::edCodeExit(TObject*) {
    Log("edCodeExit active=" + NameOf(GetActiveControl()));
}

KVC_REGISTER_CLASS(TfrmLeaf) {
    KVC_FIELD(pgMain);
    KVC_FIELD(tsOne);
    KVC_FIELD(tsTwo);
    KVC_FIELD(edOne);
    KVC_FIELD(edTwo);
    KVC_METHOD(pgMainChange);
    KVC_METHOD(pgMainChanging);
    KVC_METHOD(tsTwoShow);
    KVC_METHOD(edOneEnter);
}

void TfrmLeaf::pgMainChange(TObject*) {
    Log("pgMainChange " + NameOf(pgMain->GetActivePage()));
}
void TfrmLeaf::pgMainChanging(TObject*, bool& allowChange) {
    Log("pgMainChanging " + NameOf(pgMain->GetActivePage()));
    allowChange = allowPageChange;
}
void TfrmLeaf::tsTwoShow(TObject* sender) {
    Log("tsTwoShow " + NameOf(sender));
}
void TfrmLeaf::edOneEnter(TObject*) {
    Log("edOneEnter");
}

} // namespace kvc::test
