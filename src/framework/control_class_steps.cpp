// How the form conversion reaches the texts of the selection panel: its
// parts are its own, so the property steps over the form's components do not
// see them.
#include "controls/select_panel.h"
#include "framework/kv_form.h"

namespace kvc::framework {

namespace {

TStringList Converted(const TStringList& words, const language::TTextConversion& convert) {
    TStringList converted;
    for (int i = 0; i < words.Count(); ++i) {
        converted.Add(convert(words[i]));
    }
    return converted;
}

void ConvertSelectPanel(TComponent& component, const language::TTextConversion& convert) {
    auto& panel = static_cast<controls::TSelectPanel&>(component);
    TStringList& hints = *panel.GetChildHints();
    for (int i = 0; i < hints.Count(); ++i) {
        hints.Put(i, convert(hints[i]));
    }
    // The setters place the words on the range labels.
    panel.SetBeginWords(Converted(*panel.GetBeginWords(), convert));
    panel.SetFinalWords(Converted(*panel.GetFinalWords(), convert));
    panel.SetHintWord(convert(panel.GetHintWord()));
    language::ConvertListViewTexts(panel.List(), convert);
}

} // namespace

void AddControlClassSteps(language::TCodeConverter& converter) {
    converter.AddClassStep(controls::TSelectPanel::StaticClassInfo(), &ConvertSelectPanel);
}

} // namespace kvc::framework
