#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "foundation/Llist.h"
#include "foundation/Text.h"

namespace brio {
namespace {

using ::testing::ElementsAre;

std::vector<std::string> itemsOf(const Llist<std::string>& list) {
    return std::vector<std::string>(list.begin(), list.end());
}

Llist<std::string> listOf(std::initializer_list<const char*> texts, int growth = 1,
                          bool keepOrder = true) {
    Llist<std::string> list(0, growth, keepOrder);
    for (const char* text : texts) list.append(text);
    return list;
}

TEST(Llist, NewListIsEmptyWithGrowthOfAtLeastOne) {
    Llist<std::string> list;
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.last, -1);
    EXPECT_EQ(list.capacity, 0);
    EXPECT_EQ(list.growth, 1);
    EXPECT_TRUE(list.keepOrder);
    EXPECT_EQ(Llist<int>(0, 0).growth, 1);
    EXPECT_EQ(Llist<int>(0, -5).growth, 1);
}

TEST(Llist, AppendGrowsByTheGrowthStepAndMovesTheCursorToTheNewItem) {
    Llist<std::string> list(0, 2);
    list.append("a");
    EXPECT_EQ(list.capacity, 2);
    list.append("b");
    list.append("c");
    EXPECT_EQ(list.capacity, 4);
    EXPECT_EQ(list.count(), 3);
    EXPECT_EQ(list.cursor, 2);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b", "c"));
}

TEST(Llist, RemovingTheMiddleOfThreeWithoutKeepOrderMovesTheLastItemIntoTheHole) {
    Llist<std::string> list = listOf({"a", "b", "c"}, 1, false);
    list.removeAt(1);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "c"));
}

TEST(Llist, RemovingWithKeepOrderShiftsLaterItemsDown) {
    Llist<std::string> list = listOf({"a", "b", "c", "d"});
    list.removeAt(1);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "c", "d"));
    list.removeAt(2);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "c"));
}

TEST(Llist, RemoveAtMinusOneRemovesTheItemAtTheCursor) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    list.get(0);
    list.removeAt(-1);
    EXPECT_THAT(itemsOf(list), ElementsAre("b", "c"));
}

TEST(Llist, RemoveAtOutOfRangeDoesNothing) {
    Llist<std::string> list = listOf({"a", "b"});
    list.removeAt(2);
    list.removeAt(-2);
    list.cursor = 5;
    list.removeAt(-1);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b"));
}

TEST(Llist, RemovingTheOnlyItemFreesAllSlots) {
    Llist<std::string> list(8, 4);
    list.append("a");
    list.removeAt(0);
    EXPECT_EQ(list.capacity, 0);
    EXPECT_EQ(list.last, -1);
    EXPECT_TRUE(list.items.empty());
}

TEST(Llist, RemovalShrinksToTheCountOnceMoreThanOneGrowthStepIsFree) {
    Llist<std::string> list(0, 2);
    for (const char* text : {"a", "b", "c", "d", "e", "f"}) list.append(text);
    ASSERT_EQ(list.capacity, 6);
    list.removeAt(0);
    list.removeAt(0);
    EXPECT_EQ(list.capacity, 6);  // 4 items: not below 6 - 2
    list.removeAt(0);
    EXPECT_EQ(list.capacity, 3);
    EXPECT_THAT(itemsOf(list), ElementsAre("d", "e", "f"));
}

TEST(Llist, SlotsFreedByRemovalComeBackEmpty) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    list.removeAt(2);
    list.resize(3, true);
    list.last = 2;
    EXPECT_EQ(list.get(2), "");
}

TEST(Llist, GetMovesTheCursorToTheItem) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    EXPECT_EQ(list.get(1), "b");
    EXPECT_EQ(list.cursor, 1);
    list.get(1) = "B";
    EXPECT_EQ(list.getConst(1), "B");
}

TEST(Llist, GetOutOfRangeUnderTheDefaultPolicyGivesTheEmptyItemAndKeepsTheCursor) {
    Llist<std::string> list = listOf({"a", "b"});
    list.get(0);
    EXPECT_EQ(list.get(2), "");
    EXPECT_EQ(list.get(-1), "");
    EXPECT_EQ(list.cursor, 0);
    list.emptyItem = "none";
    EXPECT_EQ(list.get(7), "none");
    EXPECT_EQ(list.getConst(7), "none");
}

TEST(Llist, GetOutOfRangeUnderTheClampPolicyGivesTheFirstOrLastItem) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    list.rangePolicy = Llist<std::string>::clampPolicy;
    list.get(1);
    EXPECT_EQ(list.get(-4), "a");
    EXPECT_EQ(list.get(3), "c");
    EXPECT_EQ(list.getConst(99), "c");
    EXPECT_EQ(list.cursor, 1);

    Llist<std::string> none;
    none.rangePolicy = Llist<std::string>::clampPolicy;
    EXPECT_EQ(none.get(0), "");
}

TEST(Llist, NextWalksFromMinusOneAndStopsOnTheLastItem) {
    Llist<std::string> list = listOf({"a", "b"});
    list.cursor = -1;
    std::vector<std::string> seen;
    while (list.next()) seen.push_back(list.get(list.cursor));
    EXPECT_THAT(seen, ElementsAre("a", "b"));
    EXPECT_EQ(list.cursor, 1);
    EXPECT_FALSE(list.next());
    EXPECT_EQ(list.cursor, 1);

    Llist<std::string> none;
    EXPECT_FALSE(none.next());
    EXPECT_EQ(none.cursor, -1);
}

TEST(Llist, ResizeWithKeepCopiesTheFirstItemsAndCutsTheRest) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    list.resize(2, true);
    EXPECT_EQ(list.capacity, 2);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b"));
    list.resize(5, true);
    EXPECT_EQ(list.capacity, 5);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b"));
}

TEST(Llist, ResizeWithoutKeepDiscardsTheItemsButKeepsTheirCount) {
    Llist<std::string> list = listOf({"a", "b", "c"});
    list.resize(10, false);
    EXPECT_THAT(itemsOf(list), ElementsAre("", "", ""));
    list.resize(0, false);
    EXPECT_TRUE(list.empty());
    EXPECT_EQ(list.capacity, 0);
}

TEST(Llist, AppendAllCopiesEveryItemInOrderEvenFromItself) {
    Llist<std::string> list = listOf({"a", "b"});
    list.appendAll(listOf({"c", "d"}));
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b", "c", "d"));
    list.appendAll(list);
    EXPECT_THAT(itemsOf(list), ElementsAre("a", "b", "c", "d", "a", "b", "c", "d"));
}

TEST(Llist, CopiesCarryItemsAndSettingsAndStayIndependent) {
    Llist<std::string> list = listOf({"a", "b"}, 3, false);
    list.emptyItem = "?";
    list.rangePolicy = Llist<std::string>::clampPolicy;

    Llist<std::string> copy(list);
    Llist<std::string> assigned;
    assigned = list;
    for (const Llist<std::string>* other : {&copy, &assigned}) {
        EXPECT_THAT(itemsOf(*other), ElementsAre("a", "b"));
        EXPECT_EQ(other->capacity, list.capacity);
        EXPECT_EQ(other->growth, 3);
        EXPECT_FALSE(other->keepOrder);
        EXPECT_EQ(other->emptyItem, "?");
        EXPECT_EQ(other->rangePolicy, Llist<std::string>::clampPolicy);
    }
    copy.get(0) = "changed";
    EXPECT_EQ(list.getConst(0), "a");
}

TEST(Llist, AppendStaysFastWithGrowthOne) {
    // Growth 1 must not mean one reallocation and full copy per append.
    Llist<std::string> list;
    for (int i = 0; i < 200000; ++i) list.append("line");
    EXPECT_EQ(list.count(), 200000);
    EXPECT_EQ(list.capacity, 200000);
}

TEST(TextSort, OrdersIgnoringLetterCase) {
    Text_ text;
    for (const char* line : {"beta", "Alpha", "gamma", "ALPHA2", "Beta0"}) text.append(line);
    text.sort();
    EXPECT_THAT(itemsOf(text), ElementsAre("Alpha", "ALPHA2", "beta", "Beta0", "gamma"));
}

TEST(TextSort, KeepsEqualItemsInTheirOrder) {
    Text_ text;
    for (const char* line : {"b", "A", "a", "B"}) text.append(line);
    text.sort();
    EXPECT_THAT(itemsOf(text), ElementsAre("A", "a", "b", "B"));
}

}  // namespace
}  // namespace brio
