// List boxes and check list boxes: items, sorting, marks and layout (the
// user's selection and toggles: data/lists.txt, see ScenarioTest.cpp).
#include <gtest/gtest.h>

#include "ControlsFixture.h"
#include "framework/CheckLst.h"

using namespace vcl;
using namespace vcltest;

namespace {

// A check list box with a client area of 200 x 65: five rows of 13 pixels.
class CheckListTest : public ControlsTest {
protected:
    void SetUp() override {
        ControlsTest::SetUp();
        list = Make<TCheckListBox>(form, 10, 10, 204, 69);
        list->OnClickCheck = checks.Event();
    }
    void AddAll(std::initializer_list<const char*> texts) {
        for (const char* t : texts) list->Items()->Add(t);
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> r;
        for (int i = 0; i < list->Items()->Count(); ++i) r.push_back(list->Items()->Get(i));
        return r;
    }
    std::vector<std::string> CheckedTexts() const {
        std::vector<std::string> r;
        for (int i = 0; i < list->Items()->Count(); ++i)
            if (list->GetChecked(i)) r.push_back(list->Items()->Get(i));
        return r;
    }
    TPoint Centre(int index) const {
        TRect r = list->ItemRect(index);
        return TPoint{(r.Left + r.Right) / 2, (r.Top + r.Bottom) / 2};
    }
    TCheckListBox* list = nullptr;
    TNotifyLog checks;
};

}  // namespace

TEST_F(CheckListTest, SortedAddReportsWhereTheTextLanded) {
    list->SetSorted(true);
    std::vector<int> at;
    for (const char* t : {"pear", "Apple", "fig", "apple", "Zebra"}) at.push_back(list->Items()->Add(t));
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Apple", "apple", "fig", "pear", "Zebra"}));
    EXPECT_EQ(at, (std::vector<int>{0, 0, 1, 1, 4}));
    for (int i = 0; i < list->Items()->Count(); ++i) EXPECT_EQ(list->Items()->IndexOf(Texts()[i]), i);
    EXPECT_EQ(list->Items()->IndexOf("APPLE"), -1);  // exact text only
}

TEST_F(CheckListTest, MarksAndSelectionTravelWithTheirItems) {
    AddAll({"b", "d"});
    list->SetChecked(1, true);
    list->SetItemIndex(1);
    list->Items()->Insert(0, "a");
    list->Items()->Insert(2, "c");
    EXPECT_EQ(CheckedTexts(), (std::vector<std::string>{"d"}));
    EXPECT_EQ(list->Items()->Get(list->ItemIndex()), "d");
    list->Items()->Delete(0);
    EXPECT_EQ(CheckedTexts(), (std::vector<std::string>{"d"}));
    EXPECT_EQ(list->ItemIndex(), 2);
    list->Items()->Delete(2);
    EXPECT_EQ(list->ItemIndex(), -1);
    EXPECT_TRUE(CheckedTexts().empty());
}

TEST_F(CheckListTest, TurningSortedOnSortsItemsWithTheirMarks) {
    AddAll({"delta", "Alpha", "charlie", "bravo"});
    list->SetState(0, cbGrayed);
    list->SetChecked(2, true);
    list->SetItemIndex(3);
    list->SetSorted(true);
    EXPECT_EQ(Texts(), (std::vector<std::string>{"Alpha", "bravo", "charlie", "delta"}));
    EXPECT_EQ(list->GetState(3), cbGrayed);
    EXPECT_EQ(CheckedTexts(), (std::vector<std::string>{"charlie"}));
    EXPECT_EQ(list->Items()->Get(list->ItemIndex()), "bravo");
    EXPECT_EQ(list->Items()->Add("Echo"), 4);
    EXPECT_EQ(checks.Count(), 0);  // marks set by program never raise OnClickCheck
}

TEST_F(CheckListTest, ColumnsFillTopToBottomThenLeftToRight) {
    for (int i = 0; i < 12; ++i) list->Items()->Add("item" + std::to_string(i));
    list->SetColumns(2);
    EXPECT_EQ(list->ItemRect(0), (TRect{0, 0, 100, 13}));
    EXPECT_EQ(list->ItemRect(4), (TRect{0, 52, 100, 65}));
    EXPECT_EQ(list->ItemRect(7), (TRect{100, 26, 200, 39}));
    for (int i = 0; i < 10; ++i) EXPECT_EQ(list->ItemAtPos(Centre(i)), i) << i;
    EXPECT_EQ(list->ItemAtPos(TPoint{199, 64}), 9);
    EXPECT_EQ(list->ItemAtPos(TPoint{200, 5}), -1);  // outside the client area
    list->SetColumns(0);
    EXPECT_EQ(list->ItemRect(3), (TRect{0, 39, 200, 52}));
    list->Items()->Clear();
    list->Items()->Add("only");
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 30}), -1);
    EXPECT_EQ(list->ItemAtPos(TPoint{5, 30}, false), 1);
}

