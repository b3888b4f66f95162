// Applying a language document to a component tree.
//
// Each attribute of an element is a property path of the element's component
// ("Caption", "Font.Name", "Items_3", "Columns_1.Caption") and its value the
// new value as text. A path that does not resolve, or a value that does not
// fit, is passed over without a word: a language file written for another
// version of a form must not stop the form.
#pragma once

#include "runtime/string_list.h"
#include "runtime/variant.h"
#include "toolkit/component.h"
#include "toolkit/event.h"

#include <memory>
#include <pugixml.hpp>
#include <string>

namespace kvc {
KVC_EVENT_TYPE(TLoadComponentEvent, TObject*, TComponent*, pugi::xml_node);
} // namespace kvc

namespace kvc::language {

using kvc::TLoadComponentEvent;

// Access to one component and the element that carries its texts.
class ILangRead {
public:
    virtual ~ILangRead() = default;
    virtual TComponent* GetComponent() const = 0;
    virtual void SetComponent(TComponent* component) = 0;
    virtual pugi::xml_node GetElement() const = 0;
    virtual void SetElement(pugi::xml_node element) = 0;
    // An integer key reads the attribute at that index, a text key the
    // attribute of that name; other keys read nothing.
    virtual void ReadAttribute(const Variant& key) = 0;
    virtual void ReadAll() = 0;
};

class TComponentRead : public ILangRead {
public:
    TComponentRead(TComponent* component, pugi::xml_node element)
        : component_(component), element_(element) {}

    TComponent* GetComponent() const override { return component_; }
    void SetComponent(TComponent* component) override { component_ = component; }
    pugi::xml_node GetElement() const override { return element_; }
    void SetElement(pugi::xml_node element) override { element_ = element; }
    void ReadAttribute(const Variant& key) override;
    void ReadAll() override;

protected:
    // Sets the property the attribute's name leads to.
    virtual void ApplyAttribute(pugi::xml_attribute attribute);

private:
    TComponent* component_;
    pugi::xml_node element_;
};

// Combo boxes: new item lists keep the item that was selected.
class TCustomComboBoxRead : public TComponentRead {
public:
    using TComponentRead::TComponentRead;
    void ReadAll() override;
};

// The InfoPower data-aware combo box, reached through its published
// ItemIndex, since the toolkit does not carry its class.
class TwwDBCustomComboBoxRead : public TComponentRead {
public:
    using TComponentRead::TComponentRead;
    void ReadAll() override;
};

class TReaderFactory {
public:
    static std::unique_ptr<ILangRead> CreateReader(TComponent* component, pugi::xml_node element);
};

class TLangReader {
public:
    // sender is what the load-component events name as their sender (the
    // controller that opened the document).
    TLangReader(const pugi::xml_document& document, TStringList excludeControls, TObject* sender,
                TLoadComponentEvent beforeLoad, TLoadComponentEvent afterLoad)
        : document_(document), exclude_(std::move(excludeControls)), sender_(sender),
          beforeLoad_(beforeLoad), afterLoad_(afterLoad) {}
    virtual ~TLangReader() = default;

    // Applies the document to the component and, in ownership order, to
    // everything it owns.
    virtual void LoadComponent(TComponent* component);

    void SetExcludeControls(const TStringList& names) { exclude_ = names; }
    const TStringList& ExcludeControls() const { return exclude_; }

private:
    bool IsExcluded(const std::string& name) const;
    void Apply(TComponent* component, pugi::xml_node element);

    const pugi::xml_document& document_;
    TStringList exclude_;
    TObject* sender_;
    TLoadComponentEvent beforeLoad_;
    TLoadComponentEvent afterLoad_;
};

} // namespace kvc::language
