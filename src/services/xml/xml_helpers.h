// XML documents for the language files and the portal's answers.
//
// Texts are UTF-8 strings; a document is read as UTF-8 whatever its
// declaration names (the declaration of a portal answer says GB2312 because
// the portal sends GB bytes, which the system has already decoded).
//
// Nothing outside the document is ever read: document type declarations are
// skipped, and entity references other than the five predefined ones and
// character references stay in the text as written ("&stdd;" reads back as
// "&stdd;"). So an external entity or DTD is never fetched, and a
// declaration that nests entities cannot blow up.
#pragma once

#include <filesystem>
#include <memory>
#include <pugixml.hpp>
#include <string>
#include <string_view>

namespace kvc::services {

using XmlDocument = std::unique_ptr<pugi::xml_document>;

// A new empty document.
XmlDocument NewXmlDocument();

// A new document holding the text; a text that does not parse gives an empty
// document (no root element), without an error.
XmlDocument LoadXmlText(std::string_view text);

// NormalizeXmlHeader, then LoadXmlText.
XmlDocument LoadXmlNormalized(std::string_view text);

// A new document holding the text; null when it does not parse, with the
// parser's reason in *error (when given).
XmlDocument ParseXmlText(std::string_view text, std::string* error);

// A new document read from a UTF-8 file. When the file cannot be read or does
// not parse, the answer is null and *error (when given) receives the reason,
// with the offset of a parse error ("Error parsing element attribute at
// offset 12").
XmlDocument LoadXmlFile(const std::filesystem::path& file, std::string* error);

// The first node (element or attribute) the XPath path selects below node.
// When none matches and create is true, an element named path is appended
// to node and answered. Otherwise an empty node. A path that is not valid
// XPath raises EOleError with the parser's reason.
pugi::xpath_node SelectNode(pugi::xml_node node, std::string_view path, bool create);

// The attribute's value; empty when the element has no such attribute.
std::string GetAttributeText(pugi::xml_node element, std::string_view name);

// Sets (or adds) the attribute. An empty node raises EOleError.
void SetAttributeText(pugi::xml_node element, std::string_view name, std::string_view text);

// The node's value when it is an attribute node, else empty.
std::string AttributeNodeText(const pugi::xpath_node& node);

// Makes a portal answer parseable: adds an XML declaration naming GB2312 and a
// document type declaring the entity "stdd" where they are missing.
std::string NormalizeXmlHeader(std::string_view text);

} // namespace kvc::services
