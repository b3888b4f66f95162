// TKVForm: the base of every form of the system. It carries the two
// components that make a form speak the user's language, the code converter
// (KvConverter) and the language controller (LangController), both read from
// its definition, so every descendant inherits them.
//
// On creation (FormCreate) no edit keeps an input-method name, an English
// interface gets fonts that show its texts, and buttons with a one-image
// glyph get a disabled image drawn from it. On show (FormShow) the language
// files of the form's class chain are applied, base class first, so a more
// derived class's file overrides its ancestors'. Descendants' OnCreate and
// OnShow handlers call these first; the texts are converted between the GB
// and Big5 code pages once, through ConvertOnce.
#pragma once

#include "language/code_converter.h"
#include "language/language_controller.h"
#include "toolkit/dialogs.h"
#include "toolkit/form.h"

#include <string>
#include <vector>

namespace kvc {
class TBitmap;
} // namespace kvc

namespace kvc::framework {

class TKVForm : public TForm {
    KVC_CLASS(TKVForm, TForm)
public:
    TKVForm() = default;

    // Published components, set when the definition is read.
    language::TCodeConverter* KvConverter = nullptr;
    language::TKvLangController* LangController = nullptr;

    // True once the form's texts have been converted (ConvertOnce).
    bool Converted = false;

    // Applies the language files of object's classes: with wholeChain the
    // class and its ancestors below TForm, the most basic first; otherwise
    // only the object's own class. A missing file is passed over; a file that
    // is not well-formed raises LanguageControllerError.
    virtual void ApplyLanguage(TComponent* object, bool wholeChain);
    // The same without TKVForm's own file.
    virtual void ApplyOwnLanguage(TComponent* object, bool wholeChain);

    // The creation step: input-method names, the English fonts, disabled
    // glyphs. Descendants' creation handlers call it first.
    void FormCreate(TObject* sender);
    // Applies the language files of the whole class chain.
    void FormShow(TObject* sender);

    // Converts the form's texts unless they have been converted already.
    void ConvertOnce();
    TModalResult ShowDialog(const std::string& text, TMsgDlgType type, TMsgDlgButtons buttons);

    // The converter's code pages ("936", "950" or "437") and modes.
    const std::string& SourceCodePage() const;
    const std::string& TargetCodePage() const;
    int ConvertMode() const;
    int DataConvertMode() const;

    // A message text: the "Msg" attribute of the element named identifier in
    // the class's language file, or the default text (first converted for
    // display when convertDefault is true).
    std::string LangText(const std::string& className, const std::string& identifier,
                         bool convertDefault, const std::string& defaultText) const;

    // Gives the converter the steps of this system's own controls, once the
    // definition has made it.
    void Loaded() override;

private:
    language::TCodeConverter& Converter() const;
    language::TKvLangController& Controller() const;
};

// The names of the classes whose language files apply to an object of class
// cls: with wholeChain cls and its ancestors below the toolkit's form (below
// the component class for an object that is no form), the most basic first,
// TKVForm left out unless withBaseForm; otherwise cls's name alone.
std::vector<std::string> LanguageClassNames(const TClassInfo& cls, bool wholeChain,
                                            bool withBaseForm);
// Opens the language file of each class in turn and applies those that exist
// to object and everything it owns.
void ApplyLanguageFiles(language::TKvLangController& controller, TComponent& object,
                        const std::vector<std::string>& classNames);

// The conversion steps of the controls above the language layer: the
// selection panel's hints, range words and list.
void AddControlClassSteps(language::TCodeConverter& converter);

// Extends a one-image glyph by its disabled look: the picture becomes twice
// as wide, the image as it was on the left and on the right the shape of its
// dark and edge pixels embossed in the highlight and shadow colours on the
// button face. The transparent colour (the bottom-left pixel) stays.
void MakeDisabledGlyph(TBitmap& glyph);

// Gives a button of the form that shows a one-image glyph its disabled
// image; for a selection panel its list lookup, delete and clear buttons, for
// an edit or combo box with a lookup button that button. A stored glyph that
// is no picture raises EInvalidGraphic.
void AddDisabledGlyphs(TComponent& component);

} // namespace kvc::framework
