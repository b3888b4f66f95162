// The language controller: opens the language file of a form class (an XML
// document) and applies it to a form and everything the form owns. The file
// is "<language folder><class>.Lng"; the folder follows the interface code
// page of the configuration (936 CHS, 950 CHT, 437 ENG).
#pragma once

#include "language/lang_reader.h"
#include "runtime/exceptions.h"
#include "runtime/string_list.h"
#include "services/xml/xml_helpers.h"
#include "toolkit/class_builder.h"
#include "toolkit/component.h"

#include <memory>
#include <string>

namespace kvc::language {

KVC_ENUM(TDesignType, dtClient, dtServer);

KVC_DECLARE_EXCEPTION(LanguageControllerError, Exception);

// "<path>MultiLanguage\<code>\" from the client configuration (the server
// configuration for dtServer); empty when the interface code page has no
// language code or the folder does not exist.
std::string LanguageFolder(TDesignType designType);

// The "Msg" attribute of the first element named identifier in the class's
// language file; the default in every other case (no file, a document that
// does not parse, no element or attribute). Reads the file anew each time.
std::string ReadMessage(TDesignType designType, const std::string& className,
                        const std::string& identifier, const std::string& defaultText);

class TLanguageController : public TComponent {
    KVC_CLASS(TLanguageController, TComponent)
public:
    TLanguageController() = default;
    ~TLanguageController() override;

    bool GetActive() const;
    // Opens or closes the document. Opening raises LanguageControllerError
    // "Cannot Find File %s!" for an empty file name, and the parser's reason
    // for a file that cannot be read or is not well-formed.
    void SetActive(bool value);

    TStringList* GetExcludeControls() const { return exclude_.get(); }
    // Copies the names (an empty list clears them); an open reader takes them
    // at once.
    void SetExcludeControls(const TStringList& names);

    const std::string& FileName() const { return fileName_; }
    // The open reader; LanguageControllerError "No active LanguageController!"
    // when no document is open.
    TLangReader& Reader() const;

    TNotifyEvent BeforeOpen;
    TNotifyEvent AfterOpen;
    TNotifyEvent BeforeClose;
    TNotifyEvent AfterClose;
    TLoadComponentEvent BeforeLoadComponent;
    TLoadComponentEvent AfterLoadComponent;

    // Opens the document when Active was set while the definition was read.
    void Loaded() override;

protected:
    // A new file name closes the open document.
    void SetFileName(const std::string& fileName);

private:
    void Open();
    void Close();

    std::string fileName_;
    std::unique_ptr<TStringList> exclude_ = std::make_unique<TStringList>();
    // The document and its reader exist together.
    services::XmlDocument document_;
    std::unique_ptr<TLangReader> reader_;
    bool activeWhenLoaded_ = false;
};

class TKvLangController : public TLanguageController {
    KVC_CLASS(TKvLangController, TLanguageController)
public:
    const std::string& GetLangPackageName() const { return packageName_; }
    // A new name makes the file "<language folder><name>.Lng" (folder by the
    // current DesignType) and closes the open document.
    void SetLangPackageName(const std::string& name);

    TDesignType GetDesignType() const { return designType_; }
    void SetDesignType(TDesignType value) { designType_ = value; }

private:
    std::string packageName_;
    TDesignType designType_ = dtClient;
};

} // namespace kvc::language
