#include "services/xml/xml_helpers.h"

#include "runtime/exceptions.h"

#include <algorithm>
#include <cctype>

namespace kvc::services {

namespace {

// Declarations are left out of the tree; the document type is skipped by the
// default flags, which is what keeps external entities and DTDs unread.
constexpr unsigned kParseOptions = pugi::parse_default;

constexpr std::string_view kDeclaration = "<?xml version=\"1.0\" encoding=\"GB2312\"?>";
constexpr std::string_view kDocumentType = "<!DOCTYPE SC[<!ENTITY stdd \"&amp;stdd;\">]>";
constexpr std::string_view kEncoding = " encoding=\"GB2312\"";
constexpr std::size_t kHeaderWindow = 100;

std::string ParseError(const pugi::xml_parse_result& result) {
    return std::string(result.description()) + " at offset " + std::to_string(result.offset);
}

// The first characters of a text as the header checks see them: lower case,
// line breaks (CR LF) removed, trimmed.
std::string HeaderWindow(std::string_view text) {
    std::string window(text.substr(0, kHeaderWindow));
    for (std::size_t at = window.find("\r\n"); at != std::string::npos; at = window.find("\r\n")) {
        window.erase(at, 2);
    }
    std::transform(window.begin(), window.end(), window.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    const auto blank = [](unsigned char c) { return c <= ' '; };
    const auto first = std::find_if_not(window.begin(), window.end(), blank);
    const auto last = std::find_if_not(window.rbegin(), window.rend(), blank).base();
    return first < last ? std::string(first, last) : std::string();
}

} // namespace

XmlDocument NewXmlDocument() {
    return std::make_unique<pugi::xml_document>();
}

XmlDocument LoadXmlText(std::string_view text) {
    XmlDocument document = NewXmlDocument();
    if (!document->load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8)) {
        document->reset();
    }
    return document;
}

XmlDocument LoadXmlNormalized(std::string_view text) {
    return LoadXmlText(NormalizeXmlHeader(text));
}

XmlDocument ParseXmlText(std::string_view text, std::string* error) {
    XmlDocument document = NewXmlDocument();
    const pugi::xml_parse_result result =
        document->load_buffer(text.data(), text.size(), kParseOptions, pugi::encoding_utf8);
    if (!result) {
        if (error != nullptr) {
            *error = ParseError(result);
        }
        return nullptr;
    }
    return document;
}

XmlDocument LoadXmlFile(const std::filesystem::path& file, std::string* error) {
    XmlDocument document = NewXmlDocument();
    const pugi::xml_parse_result result =
        document->load_file(file.c_str(), kParseOptions, pugi::encoding_utf8);
    if (!result) {
        if (error != nullptr) {
            *error = ParseError(result);
        }
        return nullptr;
    }
    return document;
}

pugi::xpath_node SelectNode(pugi::xml_node node, std::string_view path, bool create) {
    const std::string query(path);
    pugi::xpath_node found;
    try {
        found = node.select_node(query.c_str());
    } catch (const pugi::xpath_exception& error) {
        throw EOleError(std::string(error.what()) + ": " + query);
    }
    if (!found && create) {
        pugi::xml_node child = node.append_child(query.c_str());
        if (!child) {
            throw EOleError("Cannot append an element named " + query);
        }
        return pugi::xpath_node(child);
    }
    return found;
}

std::string GetAttributeText(pugi::xml_node element, std::string_view name) {
    return element.attribute(std::string(name).c_str()).value();
}

void SetAttributeText(pugi::xml_node element, std::string_view name, std::string_view text) {
    if (element.type() != pugi::node_element) {
        throw EOleError("Cannot set the attribute " + std::string(name) + " of a non-element node");
    }
    const std::string key(name);
    pugi::xml_attribute attribute = element.attribute(key.c_str());
    if (!attribute) {
        attribute = element.append_attribute(key.c_str());
    }
    attribute.set_value(std::string(text).c_str());
}

std::string AttributeNodeText(const pugi::xpath_node& node) {
    return node.attribute() ? node.attribute().value() : std::string();
}

std::string NormalizeXmlHeader(std::string_view text) {
    const std::string window = HeaderWindow(text);
    const bool declared = window.starts_with("<?xml");
    const bool typed = window.find("<!doctype") != std::string::npos;
    const bool encoded = window.find("encoding=") != std::string::npos;
    std::string result(text);
    if (!declared) {
        return std::string(kDeclaration) + (typed ? "" : std::string(kDocumentType)) + result;
    }
    const std::size_t end = result.find("?>");
    if (end == std::string::npos) {
        return result;
    }
    // The type goes after "?>" first, so that the encoding's insertion before
    // it leaves the position valid.
    if (!typed) {
        result.insert(end + 2, kDocumentType);
    }
    if (!encoded) {
        result.insert(end, kEncoding);
    }
    return result;
}

} // namespace kvc::services
