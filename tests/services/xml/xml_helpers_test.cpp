#include "platform/temp_folder.h"
#include "runtime/exceptions.h"
#include "services/xml/xml_helpers.h"

#include <gtest/gtest.h>

namespace kvc::services {
namespace {

const std::string kHeader = R"(<?xml version="1.0" encoding="GB2312"?>)";
const std::string kType = R"(<!DOCTYPE SC[<!ENTITY stdd "&amp;stdd;">]>)";

struct NormalizeCase {
    std::string text;
    std::string expected;
};

TEST(NormalizeXmlHeaderTest, AddsWhatIsMissing) {
    const NormalizeCase cases[] = {
        {"<Root/>", kHeader + kType + "<Root/>"},
        {R"(<?xml version="1.0"?><Root/>)", kHeader + kType + "<Root/>"},
        // Both present: unchanged, whatever the letter case.
        {R"(<?XML version="1.0" Encoding="UTF-8"?><!DocType r><r/>)",
         R"(<?XML version="1.0" Encoding="UTF-8"?><!DocType r><r/>)"},
        // An encoding but no type: only the type.
        {R"(<?xml version="1.0" encoding="UTF-8"?><r/>)",
         R"(<?xml version="1.0" encoding="UTF-8"?>)" + kType + "<r/>"},
        // A type but no declaration: the declaration alone in front.
        {"<!DOCTYPE r><r/>", kHeader + "<!DOCTYPE r><r/>"},
        // Leading line breaks and blanks do not hide the declaration.
        {"\r\n  <?xml version=\"1.0\"?><r/>", "\r\n  " + kHeader + kType + "<r/>"},
        // Beyond the first 100 characters nothing counts.
        {"<r>" + std::string(100, 'x') + "<!DOCTYPE r></r>",
         kHeader + kType + "<r>" + std::string(100, 'x') + "<!DOCTYPE r></r>"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(NormalizeXmlHeader(c.text), c.expected) << c.text;
    }
}

TEST(XmlDocumentTest, NormalizedPortalAnswerKeepsTheEntityReference) {
    const XmlDocument document = LoadXmlNormalized("<Root><Name>A&stdd;B 工单</Name></Root>");
    ASSERT_TRUE(document->document_element());
    EXPECT_STREQ(document->document_element().child("Name").text().get(), "A&stdd;B 工单");
}

TEST(XmlDocumentTest, TextThatDoesNotParseGivesAnEmptyDocument) {
    for (const char* text : {"<Root><a></Root>", "", "not xml at all <"}) {
        const XmlDocument document = LoadXmlText(text);
        ASSERT_NE(document, nullptr);
        EXPECT_FALSE(document->document_element()) << text;
        EXPECT_FALSE(document->first_child()) << text;
    }
}

TEST(XmlDocumentTest, ExternalEntitiesAndDtdsAreNeverRead) {
    testing::TempFolder folder;
    const auto secret = folder.Write("secret.txt", "TOP-SECRET");
    const auto dtd = folder.Write("types.dtd", R"(<!ENTITY inner "FROM-DTD">)");
    const std::string text = "<?xml version=\"1.0\"?><!DOCTYPE r [<!ENTITY ext SYSTEM \"file://" +
                             secret.string() + "\"><!ENTITY % types SYSTEM \"file://" +
                             dtd.string() + "\"> %types;]><r a=\"&ext;\">&ext;&inner;</r>";
    const auto file = folder.Write("doc.xml", text);
    for (const auto& document : {LoadXmlText(text), LoadXmlFile(file, nullptr)}) {
        ASSERT_NE(document, nullptr);
        const pugi::xml_node root = document->document_element();
        ASSERT_TRUE(root);
        const std::string content = root.text().get();
        EXPECT_EQ(content.find("TOP-SECRET"), std::string::npos) << content;
        EXPECT_EQ(content.find("FROM-DTD"), std::string::npos) << content;
        EXPECT_EQ(GetAttributeText(root, "a").find("TOP-SECRET"), std::string::npos);
    }
}

TEST(XmlDocumentTest, FileThatDoesNotParseAnswersTheReason) {
    testing::TempFolder folder;
    std::string error;
    EXPECT_EQ(LoadXmlFile(folder.Write("bad.Lng", "<Form Caption=\"x></Form>"), &error), nullptr);
    EXPECT_NE(error.find("offset"), std::string::npos) << error;
    error.clear();
    EXPECT_EQ(LoadXmlFile(folder.Path() / "missing.Lng", &error), nullptr);
    EXPECT_NE(error, "");
}

class XmlNodeTest : public ::testing::Test {
protected:
    XmlDocument document_ =
        LoadXmlText(R"(<Form Caption="主窗体"><Panel><btnOK Caption="确定" Msg="m1"/></Panel>)"
                    R"(<btnOK Caption="second"/></Form>)");
    pugi::xml_node root_ = document_->document_element();
};

TEST_F(XmlNodeTest, SelectsTheFirstMatchAnywhere) {
    const pugi::xpath_node button = SelectNode(*document_, "//btnOK", false);
    ASSERT_TRUE(button);
    EXPECT_EQ(GetAttributeText(button.node(), "Caption"), "确定");
    const pugi::xpath_node message = SelectNode(*document_, "//btnOK/@Msg", false);
    EXPECT_EQ(AttributeNodeText(message), "m1");
    // An element is not an attribute node.
    EXPECT_EQ(AttributeNodeText(button), "");
    EXPECT_FALSE(SelectNode(*document_, "//nothing", false));
}

TEST_F(XmlNodeTest, CreatesTheMissingElementWhenAsked) {
    const pugi::xpath_node created = SelectNode(root_, "Recipients", true);
    ASSERT_TRUE(created);
    EXPECT_EQ(created.node().parent(), root_);
    EXPECT_EQ(SelectNode(root_, "Recipients", true).node(), created.node());
}

TEST_F(XmlNodeTest, AttributesReadAndWrite) {
    EXPECT_EQ(GetAttributeText(root_, "Caption"), "主窗体");
    EXPECT_EQ(GetAttributeText(root_, "Missing"), "");
    SetAttributeText(root_, "Caption", "新");
    SetAttributeText(root_, "Hint", "提示");
    EXPECT_EQ(GetAttributeText(root_, "Caption"), "新");
    EXPECT_EQ(GetAttributeText(root_, "Hint"), "提示");
    EXPECT_THROW(SetAttributeText(pugi::xml_node(), "Caption", "x"), EOleError);
}

TEST_F(XmlNodeTest, InvalidPathRaisesTheAutomationError) {
    EXPECT_THROW(SelectNode(root_, "//[", false), EOleError);
}

TEST(XmlDocumentTest, NewDocumentIsEmpty) {
    const XmlDocument document = NewXmlDocument();
    ASSERT_NE(document, nullptr);
    EXPECT_FALSE(document->first_child());
}

} // namespace
} // namespace kvc::services
