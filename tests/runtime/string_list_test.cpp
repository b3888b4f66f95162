#include "runtime/exceptions.h"
#include "runtime/string_list.h"

#include <gtest/gtest.h>

namespace kvc {
namespace {

TEST(StringList, NamesAndValues) {
    TStringList list;
    list.SetText("936=CHS\r\n950=CHT\n437=ENG\rplain");
    ASSERT_EQ(list.Count(), 4);
    EXPECT_EQ(list.Values("950"), "CHT");
    EXPECT_EQ(list.Names(0), "936");
    EXPECT_EQ(list.ValueFromIndex(2), "ENG");
    EXPECT_EQ(list.Names(3), "");
    EXPECT_EQ(list.Values("missing"), "");
    list.SetValue("950", "BIG5");
    EXPECT_EQ(list[1], "950=BIG5");
    list.SetValue("new", "x");
    EXPECT_EQ(list[4], "new=x");
    list.SetValue("936", "");
    EXPECT_EQ(list.IndexOfName("936"), -1);
    EXPECT_EQ(list.Text(), "950=BIG5\r\n437=ENG\r\nplain\r\nnew=x\r\n");
}

TEST(StringList, LookupIgnoresCaseUnlessToldOtherwise) {
    TStringList list;
    list.Add("Alpha");
    list.Add("Key=1");
    EXPECT_EQ(list.IndexOf("ALPHA"), 0);
    EXPECT_EQ(list.IndexOfName("KEY"), 1);
    list.SetCaseSensitive(true);
    EXPECT_EQ(list.IndexOf("ALPHA"), -1);
}

TEST(StringList, SortedListsKeepOrderAndHandleDuplicates) {
    TStringList list;
    list.SetSorted(true);
    EXPECT_EQ(list.Add("b"), 0);
    EXPECT_EQ(list.Add("a"), 0);
    EXPECT_EQ(list.Add("C"), 2);
    EXPECT_EQ(list.Add("B"), 1); // dupIgnore: the existing index, nothing added
    EXPECT_EQ(list.Count(), 3);
    EXPECT_THROW(list.Insert(0, "z"), EStringListError);

    list.SetDuplicates(TDuplicates::dupError);
    EXPECT_THROW(list.Add("a"), EStringListError);
    list.SetDuplicates(TDuplicates::dupAccept);
    list.Add("a");
    EXPECT_EQ(list.Count(), 4);
    int index = -1;
    EXPECT_TRUE(list.Find("A", index));
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(list.Find("bb", index));
    EXPECT_EQ(index, 3);
}

TEST(StringList, CommaTextRoundTrip) {
    TStringList list;
    list.SetCommaText(R"(a, "b c","d""e",,"" , f)");
    ASSERT_EQ(list.Count(), 6);
    EXPECT_EQ(list[1], "b c");
    EXPECT_EQ(list[2], "d\"e");
    EXPECT_EQ(list[3], "");
    EXPECT_EQ(list[5], "f");
    TStringList copy;
    copy.SetCommaText(list.CommaText());
    EXPECT_EQ(copy, list);
    copy.SetCommaText("x,");
    EXPECT_EQ(copy.Count(), 2);
}

TEST(StringList, IndexErrorsAndObjects) {
    TStringList list;
    int payload = 7;
    list.AddObject("x", &payload);
    EXPECT_EQ(list.Objects(0), &payload);
    EXPECT_EQ(list.IndexOfObject(&payload), 0);
    EXPECT_THROW(list[1], EStringListError);
    EXPECT_THROW(list.Delete(-1), EStringListError);
    try {
        list.Delete(5);
    } catch (const EStringListError& e) {
        EXPECT_EQ(e.Message(), "List index out of bounds (5)");
    }
    list.Add("y");
    list.Add("z");
    list.Move(0, 2);
    EXPECT_EQ(list.Text(), "y\r\nz\r\nx\r\n");
    list.Exchange(0, 1);
    EXPECT_EQ(list[0], "z");
}

} // namespace
} // namespace kvc
