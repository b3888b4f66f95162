#include "controls_form.h"

#include "runtime/strings.h"
#include "toolkit/class_builder.h"

namespace kvc::test {

KVC_REGISTER_CLASS(TfrmControls) {
    KVC_FIELD(grpChoice);
    KVC_FIELD(rdoA);
    KVC_FIELD(rdoB);
    KVC_FIELD(chkView);
    KVC_FIELD(grpOther);
    KVC_FIELD(rdoC);
    KVC_FIELD(btnPeriod);
    KVC_FIELD(spdIcon);
    KVC_FIELD(spdList);
    KVC_FIELD(spdPlain);
    KVC_FIELD(cbo01);
    KVC_FIELD(med01);
    KVC_FIELD(seHour);
    KVC_FIELD(lstCondition);
    KVC_FIELD(meNote);
    KVC_FIELD(btnOk);
    KVC_FIELD(edName);
    KVC_METHOD(rdoClick);
    KVC_METHOD(chkViewClick);
    KVC_METHOD(spdClick);
    KVC_METHOD(cbo01Change);
    KVC_METHOD(cbo01Click);
    KVC_METHOD(seHourChange);
    KVC_METHOD(lstConditionEdited);
    KVC_METHOD(lstConditionEditing);
    KVC_METHOD(lstConditionSelectItem);
}

namespace {
std::string NameOf(TObject* object) {
    auto* component = As<TComponent>(object);
    return component != nullptr ? component->GetName() : "?";
}
} // namespace

void TfrmControls::rdoClick(TObject* sender) {
    log.push_back("click " + NameOf(sender));
}
void TfrmControls::chkViewClick(TObject*) {
    log.push_back("chkView " + IntToStr(int(chkView->GetState())));
}
void TfrmControls::spdClick(TObject* sender) {
    log.push_back("click " + NameOf(sender));
}
void TfrmControls::cbo01Change(TObject*) {
    log.push_back("change " + IntToStr(cbo01->GetItemIndex()) + " " + cbo01->GetText());
}
void TfrmControls::cbo01Click(TObject*) {
    log.push_back("click " + IntToStr(cbo01->GetItemIndex()));
}
void TfrmControls::seHourChange(TObject*) {
    log.push_back("change " + seHour->GetText());
}
void TfrmControls::lstConditionEdited(TObject*, TListItem* item, std::string& text) {
    log.push_back("edited " + item->GetCaption() + " -> " + text);
    text = Trim(text);
    if (text.empty()) {
        text = item->GetCaption();
    }
}
void TfrmControls::lstConditionEditing(TObject*, TListItem* item, bool& allowEdit) {
    log.push_back("editing " + item->GetCaption());
    allowEdit = allowEditing;
}
void TfrmControls::lstConditionSelectItem(TObject*, TListItem* item, bool selected) {
    log.push_back(std::string(selected ? "select " : "deselect ") + item->GetCaption());
}

} // namespace kvc::test
