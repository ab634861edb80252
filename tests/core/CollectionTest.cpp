#include <gtest/gtest.h>

#include "TestClasses.h"

using namespace vcl;
using namespace test;

TEST(Collection, AddCreatesItemsOfTheItemClassInOrder) {
    TTestItems items(nullptr);
    TCollectionItem* first = items.Add();
    TCollectionItem* second = items.Add();
    EXPECT_EQ(first->ClassName(), "TTestItem");
    EXPECT_EQ(items.GetCount(), 2);
    EXPECT_EQ(items.GetItem(0), first);
    EXPECT_EQ(items.GetItem(1), second);
    EXPECT_EQ(second->Index(), 1);
    EXPECT_EQ(first->Collection(), &items);
    EXPECT_THROW(items.GetItem(2), EListError);
    EXPECT_THROW(items.GetItem(-1), EListError);
}

TEST(Collection, DestroyingAnItemTakesItOutOfItsCollection) {
    TTestItems items(nullptr);
    items.Add();
    TCollectionItem* middle = items.Add();
    TCollectionItem* last = items.Add();
    middle->Free();
    ASSERT_EQ(items.GetCount(), 2);
    EXPECT_EQ(items.GetItem(1), last);
    EXPECT_EQ(last->Index(), 1);
}

TEST(Collection, ChangesBetweenBeginAndEndUpdateCountAsOne) {
    TTestItems items(nullptr);
    items.Add();
    EXPECT_EQ(items.Updates, 1);
    items.Updates = 0;
    items.BeginUpdate();
    items.Add();
    items.BeginUpdate();  // nested brackets: only the outermost end reports
    items.GetItem(0)->Free();
    items.EndUpdate();
    EXPECT_EQ(items.Updates, 0);
    items.EndUpdate();
    EXPECT_EQ(items.Updates, 1);
    items.BeginUpdate();
    items.EndUpdate();  // nothing changed: nothing reported
    EXPECT_EQ(items.Updates, 1);
}

TEST(Collection, ClearDestroysAllItemsAsOneChange) {
    TTestItems items(nullptr);
    for (int i = 0; i < 5; ++i) items.Add();
    items.Updates = 0;
    items.Clear();
    EXPECT_EQ(items.GetCount(), 0);
    EXPECT_EQ(items.Updates, 1);
}

TEST(Collection, SetItemAssignsIntoTheExistingItem) {
    TTestItems items(nullptr);
    auto* target = static_cast<TTestItem*>(items.Add());
    TTestItems other(nullptr);
    auto* source = static_cast<TTestItem*>(other.Add());
    // Items declare no assignment of their own: the base refuses.
    EXPECT_THROW(items.SetItem(0, source), EConvertError);
    EXPECT_EQ(items.GetItem(0), target);
    EXPECT_THROW(items.SetItem(3, source), EListError);
}

TEST(Collection, InsertPlacesANewItemAtTheIndex) {
    TTestItems items(nullptr);
    TCollectionItem* a = items.Add();
    TCollectionItem* b = items.Insert(0);
    EXPECT_EQ(items.GetItem(0), b);
    EXPECT_EQ(items.GetItem(1), a);
    EXPECT_THROW(items.Insert(5), EListError);
}

TEST(Collection, CollectionOwnedItemsAreFreedWithIt) {
    auto* items = new TTestItems(nullptr);
    for (int i = 0; i < 3; ++i) items->Add();
    items->Free();  // the sanitizers report a leak or a double free if not
    SUCCEED();
}
