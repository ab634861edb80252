#include <gtest/gtest.h>

#include "framework/Classes.h"

using namespace vcl;

namespace {
int a, b, c;
}

TEST(List, AddInsertRemoveKeepOrderAndReportIndices) {
    TList l;
    EXPECT_EQ(l.Add(&a), 0);
    EXPECT_EQ(l.Add(&b), 1);
    l.Insert(1, &c);  // a c b
    EXPECT_EQ(l.Count(), 3);
    EXPECT_EQ(l.Get(1), &c);
    EXPECT_EQ(l.IndexOf(&b), 2);
    EXPECT_EQ(l.Remove(&c), 1);  // the old index
    EXPECT_EQ(l.Remove(&c), -1);
    EXPECT_EQ(l.IndexOf(&c), -1);
    l.Put(0, &c);
    EXPECT_EQ(l.Get(0), &c);
    l.Delete(0);
    EXPECT_EQ(l.Get(0), &b);  // later entries move down
    l.Clear();
    EXPECT_EQ(l.Count(), 0);
}

TEST(List, IndexOfFindsTheFirstOfDuplicates) {
    TList l;
    l.Add(&a);
    l.Add(&b);
    l.Add(&a);
    EXPECT_EQ(l.IndexOf(&a), 0);
    EXPECT_EQ(l.Remove(&a), 0);
    EXPECT_EQ(l.IndexOf(&a), 1);
}

TEST(List, OutOfRangeAccessIsAListErrorNeverUndefined) {
    TList l;
    EXPECT_THROW(l.Get(0), EListError);
    l.Add(&a);
    EXPECT_THROW(l.Get(1), EListError);
    EXPECT_THROW(l.Get(-1), EListError);
    EXPECT_THROW(l.Put(1, &b), EListError);
    EXPECT_THROW(l.Delete(1), EListError);
    EXPECT_THROW(l.Insert(2, &b), EListError);
    EXPECT_NO_THROW(l.Insert(1, &b));  // appending through Insert is allowed
    try {
        l.Get(5);
    } catch (const EListError& e) {
        EXPECT_NE(e.Message().find("5"), std::string::npos);
    }
}
