// TCodeConverter: the GB/Big5 bridge of every form. The forms are designed
// in Simplified Chinese; under a Traditional Chinese interface their texts
// are shown converted, database texts go to and come from the database's
// code page, and fonts are set so that the texts display.
//
// Settings come from the client configuration when the converter is made:
//   ConvertMode      0 none; 1 form texts Big5 -> GB; 2 form texts GB -> Big5;
//                    4 fonts only (GB texts on a Big5 system)
//   DataConvertMode  0 none; 1 database Big5, interface GB; 2 database GB,
//                    interface Big5
// The translator (and with it Kvlanguage.dll) exists only when ConvertMode is
// not 0; without it no text is converted in either mode.
#pragma once

#include "language/language_controller.h"
#include "language/translator.h"
#include "runtime/variant.h"
#include "toolkit/component.h"
#include "toolkit/dialogs.h"
#include "toolkit/font.h"

#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace kvc {
class TCustomForm;
class TListView;
} // namespace kvc

namespace kvc::language {

// A text in, the converted text out.
using TTextConversion = std::function<std::string(const std::string&)>;
// The texts of one component class that the property steps do not reach,
// converted in the form conversion's direction.
using TClassStep = std::function<void(TComponent&, const TTextConversion&)>;

// Column captions, row captions and sub-items of a list view.
void ConvertListViewTexts(TListView& view, const TTextConversion& convert);

class TCodeConverter : public TComponent {
    KVC_CLASS(TCodeConverter, TComponent)
public:
    // Reads the settings; raises what the translator raises when the library
    // is needed and cannot be loaded.
    TCodeConverter();
    ~TCodeConverter() override;

    TDesignType GetDesignType() const { return designType_; }
    void SetDesignType(TDesignType value) { designType_ = value; }

    const std::string& SourceCodePage() const { return sourceCodePage_; }
    const std::string& TargetCodePage() const { return targetCodePage_; }
    int ConvertMode() const { return convertMode_; }
    int DataConvertMode() const { return dataConvertMode_; }
    const TTranslator* Translator() const { return translator_.get(); }

    // Converts the form and every component it owns, once: converting twice
    // would convert texts that are already converted. Nothing happens
    // without a translator. Under a Big5 system the form's title is always
    // converted; texts follow ConvertMode, item and column texts of lists,
    // tabs, trees and grids go in its direction (none in mode 4); fonts
    // become SimSun of the mode's character set; combo boxes and menus draw
    // their items themselves. The Text of components is left alone.
    void ConvertForm(TCustomForm& form);

    // Adds the class step of a component class this layer does not know
    // (controls built above it). Added steps are tried before the built-in
    // ones, in the order added, and the first class a component belongs to
    // wins; adding a step for a class again replaces its step.
    void AddClassStep(const TClassInfo& cls, TClassStep step);

    // Direction 1: every text through "BIG5toGB"; 2: through "GBtoBIG5";
    // other directions, no translator, Empty or Null: the value unchanged.
    // One-dimensional arrays convert element by element (nested arrays
    // whole), two-dimensional ones cell by cell; non-texts stay as they are.
    Variant ConvertValue(int direction, const Variant& value) const;
    // A text of the forms' code page, ready for display.
    Variant ToDisplay(const Variant& value) const { return ConvertValue(convertMode_, value); }
    // A database text, ready for display.
    Variant FromServer(const Variant& value) const { return ConvertValue(dataConvertMode_, value); }
    // A displayed text for the database; unchanged when the conversion fails.
    Variant ToServer(const Variant& value) const;
    // A displayed text back to the forms' code page; unchanged on failure.
    Variant ToSource(const Variant& value) const;

    // The library's two conversions; an empty text stays empty. Without a
    // translator the text is answered unchanged.
    std::string Big5ToGB(const std::string& text) const;
    std::string GBToBig5(const std::string& text) const;

    // Modes 0, 1 and 4: "SimSun" GB2312; modes 2 and 3: "SimSun" Big5; other
    // modes leave the font as it is.
    static void SubstituteFont(int mode, TFont& font);

    // A modal message dialog in the converter's font, titled like the form
    // that owns the converter (restored first when minimised). An empty text
    // shows nothing and answers 0. With GB on either side six blanks follow
    // the text, which keeps its last characters clear of the dialog's edge.
    TModalResult ShowDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

private:
    void ReadSettings();
    static void
    ConvertTextProperties(TComponent& component, std::initializer_list<const char*> names,
                          const std::function<std::string(const std::string&)>& convert);
    void ConvertByClass(TComponent& component, const TTextConversion& convert) const;

    TDesignType designType_ = dtClient;
    std::string sourceCodePage_;
    std::string targetCodePage_;
    int convertMode_ = 0;
    int dataConvertMode_ = 0;
    std::unique_ptr<TTranslator> translator_;
    std::vector<std::pair<const TClassInfo*, TClassStep>> classSteps_;
};

} // namespace kvc::language
