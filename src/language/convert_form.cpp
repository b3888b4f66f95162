// ConvertForm: the texts, fonts and drawing styles of a whole form.
#include "language/code_converter.h"
#include "toolkit/application.h"
#include "toolkit/class_info.h"
#include "toolkit/combo_box.h"
#include "toolkit/db_navigator.h"
#include "toolkit/form.h"
#include "toolkit/grids.h"
#include "toolkit/list_view.h"
#include "toolkit/menus.h"
#include "toolkit/properties.h"
#include "toolkit/status_bar.h"
#include "toolkit/tab_set.h"
#include "toolkit/tree_view.h"
#include "toolkit/type_info.h"

#include <array>
#include <functional>
#include <string_view>
#include <utility>

namespace kvc::language {

namespace {

using TextConversion = TTextConversion;

const TPropInfo* PropertyOf(TObject& object, std::string_view name, TPropKind kind) {
    const TPropertyRef ref = FindPropertyPath(&object, name);
    return ref && ref.object == &object && ref.prop->kind == kind ? ref.prop : nullptr;
}

void ConvertStringList(TComponent& component, std::string_view name,
                       const TextConversion& convert) {
    const TPropInfo* prop = PropertyOf(component, name, TPropKind::StringList);
    if (prop == nullptr || !prop->getList || !prop->setList) {
        return;
    }
    const TStringList* list = prop->getList(component);
    if (list == nullptr) {
        return;
    }
    auto* combo = As<TComboBox>(&component);
    const int selected = combo != nullptr ? combo->GetItemIndex() : -1;
    TStringList converted;
    converted.SetText(convert(list->Text()));
    prop->setList(component, converted);
    if (combo != nullptr) {
        combo->SetItemIndex(selected);
    }
}

// Drop-down lists and list boxes draw their items themselves once their
// texts may be of another code page.
void OwnerDrawStyle(TComponent& component) {
    if (auto* combo = As<TComboBox>(&component)) {
        const int selected = combo->GetItemIndex();
        if (combo->GetStyle() == csDropDown) {
            combo->SetStyle(csOwnerDrawVariable);
        } else if (combo->GetStyle() == csDropDownList) {
            combo->SetStyle(csOwnerDrawFixed);
        }
        if (combo->GetItemIndex() != selected) {
            combo->SetItemIndex(selected);
        }
        return;
    }
    const TPropInfo* style = PropertyOf(component, "Style", TPropKind::Enumeration);
    if (style != nullptr && style->enumInfo != nullptr && style->getOrd &&
        style->enumInfo->NameOf(int(style->getOrd(component))) == "lbStandard") {
        TrySetPropertyPath(&component, "Style", Variant("lbOwnerDrawFixed"));
    }
}

// The built-in steps for the first class the component belongs to.
void ConvertByToolkitClass(TComponent& component, const TextConversion& convert) {
    if (auto* view = As<TListView>(&component)) {
        ConvertListViewTexts(*view, convert);
    } else if (auto* tabs = As<TTabSet>(&component)) {
        const int index = tabs->GetTabIndex();
        TStringList converted;
        converted.SetText(convert(tabs->GetTabs()->Text()));
        tabs->SetTabs(converted);
        tabs->SetTabIndex(index);
    } else if (auto* combo = As<TComboBox>(&component)) {
        if (combo->GetStyle() != csSimple) {
            const int selected = combo->GetItemIndex();
            combo->SetStyle(csOwnerDrawFixed);
            combo->SetItemIndex(selected);
        }
        if (combo->GetItemIndex() < 0 && combo->GetItems()->Count() > 0) {
            combo->SetItemIndex(0);
        }
    } else if (auto* navigator = As<TDBNavigator>(&component)) {
        TStringList converted;
        converted.SetText(convert(navigator->GetHints()->Text()));
        navigator->SetHints(converted);
    } else if (auto* tree = As<TTreeView>(&component)) {
        for (TTreeNode* node : tree->GetItems()->All()) {
            node->SetText(convert(node->GetText()));
        }
    } else if (auto* grid = As<TStringGrid>(&component)) {
        for (int row = 0; row < grid->GetRowCount(); ++row) {
            for (int col = 0; col < grid->GetColCount(); ++col) {
                grid->SetCells(col, row, convert(grid->Cells(col, row)));
            }
        }
    }
}

} // namespace

void ConvertListViewTexts(TListView& view, const TTextConversion& convert) {
    if (TListColumns* columns = view.GetColumns()) {
        for (int i = 0; i < columns->Count(); ++i) {
            (*columns)[i]->SetCaption(convert((*columns)[i]->GetCaption()));
        }
    }
    for (int i = 0; i < view.Items().Count(); ++i) {
        TListItem* row = view.Items()[i];
        row->SetCaption(convert(row->GetCaption()));
        TStringList* subItems = row->SubItems();
        for (int s = 0; subItems != nullptr && s < subItems->Count(); ++s) {
            subItems->Put(s, convert((*subItems)[s]));
        }
    }
}

void TCodeConverter::AddClassStep(const TClassInfo& cls, TClassStep step) {
    for (auto& [known, existing] : classSteps_) {
        if (known == &cls) {
            existing = std::move(step);
            return;
        }
    }
    classSteps_.emplace_back(&cls, std::move(step));
}

void TCodeConverter::ConvertByClass(TComponent& component, const TTextConversion& convert) const {
    for (const auto& [cls, step] : classSteps_) {
        if (component.ClassType().InheritsFrom(*cls)) {
            step(component, convert);
            return;
        }
    }
    ConvertByToolkitClass(component, convert);
}

void TCodeConverter::ConvertForm(TCustomForm& form) {
    if (translator_ == nullptr) {
        return;
    }
    const int mode = convertMode_;
    const TextConversion byMode = [this, mode](const std::string& text) {
        return ConvertValue(mode, Variant(text)).AsString();
    };
    if (sourceCodePage_ == "950") {
        form.SetCaption(GBToBig5(form.GetCaption()));
    }
    ConvertTextProperties(form, {"Hint", "ButtonHint"}, byMode);
    if (TFont* hintFont = Application().GetHintFont()) {
        SubstituteFont(mode, *hintFont);
    }
    // Switching the hints off and on drops a hint window drawn in the old font.
    const bool showHint = Application().GetShowHint();
    Application().SetShowHint(false);
    Application().SetShowHint(showHint);

    const int direction = mode == 1 || mode == 2 ? mode : 0;
    const TextConversion byDirection = [this, direction](const std::string& text) {
        return ConvertValue(direction, Variant(text)).AsString();
    };
    for (int i = 0; i < form.ComponentCount(); ++i) {
        TComponent& component = *form.Components(i);
        for (const char* name : {"Font", "TitleFont"}) {
            const TPropInfo* prop = PropertyOf(component, name, TPropKind::Object);
            if (prop != nullptr && prop->getObject) {
                if (auto* font = As<TFont>(prop->getObject(component))) {
                    SubstituteFont(mode, *font);
                }
            }
        }
        ConvertTextProperties(component, {"Caption", "Hint", "ButtonHint"}, byMode);
        ConvertStringList(component, "Items", byMode);
        ConvertStringList(component, "Lines", byMode);
        if (mode != 0) {
            OwnerDrawStyle(component);
        }
        if (auto* bar = As<TStatusBar>(&component)) {
            for (int p = 0; p < bar->GetPanels()->Count(); ++p) {
                auto* panel = bar->GetPanels()->Item<TStatusPanel>(p);
                panel->SetText(byMode(panel->GetText()));
            }
        }
        if (direction != 0) {
            ConvertByClass(component, byDirection);
        }
        if (auto* menu = As<TMenu>(&component); menu != nullptr && mode != 0) {
            menu->SetOwnerDraw(true);
        }
    }
}

void TCodeConverter::ConvertTextProperties(
    TComponent& component, std::initializer_list<const char*> names,
    const std::function<std::string(const std::string&)>& convert) {
    for (const char* name : names) {
        const TPropInfo* prop = PropertyOf(component, name, TPropKind::String);
        if (prop != nullptr && prop->getStr && prop->setStr) {
            prop->setStr(component, convert(prop->getStr(component)));
        }
    }
}

} // namespace kvc::language
