// The collection behind Associate: lookup by current name, removal by
// identity, and pruning when a control leaves the tracker's owner.
#include "TrackerFixture.h"

using namespace vcl;
using namespace vcltest;

namespace {

class ControlsList : public TrackerTest {
protected:
    void SetUp() override {
        TrackerTest::SetUp();
        tracker = new TQVTrackMouse(form);
        list = tracker->Associate();
        a = Named(Graphic(form, 0, 0, 10, 10), "Alpha");
        b = Named(Graphic(form, 20, 0, 10, 10), "Beta");
        c = Named(Graphic(form, 40, 0, 10, 10), "Gamma");
    }
    TQVControlItem* Add(TControl* control) {
        auto* item = static_cast<TQVControlItem*>(list->Add());
        item->TheControl = control;
        return item;
    }
    std::vector<TControl*> Controls() const {
        std::vector<TControl*> r;
        for (int i = 0; i < list->GetCount(); ++i) r.push_back(list->GetItem(i)->TheControl);
        return r;
    }
    TQVTrackMouse* tracker;
    TQVControlsList* list;
    TControl *a, *b, *c;
};

// Counts the collection's change notifications.
class TCountingList : public TQVControlsList {
public:
    using TQVControlsList::TQVControlsList;
    int Updates = 0;

protected:
    void Update(TCollectionItem*) override { ++Updates; }
};

}  // namespace

TEST_F(ControlsList, EmptyCollectionFindsNothingAndRemovesNothing) {
    EXPECT_EQ(list->IndexOf(a), -1);
    EXPECT_FALSE(list->RemoveControl(a));
    list->Notification(a, opRemove);
    EXPECT_EQ(list->GetCount(), 0);
    EXPECT_EQ(list->GetOwner(), tracker);
    EXPECT_EQ(list->FOwnerForm, form);
    EXPECT_EQ(list->FTracker, tracker);
}

TEST_F(ControlsList, IndexOfMatchesByCurrentNameExactly) {
    Add(a);
    Add(b);
    EXPECT_EQ(list->IndexOf(b), 1);
    b->SetName("Renamed");  // still found: names are read at the call
    EXPECT_EQ(list->IndexOf(b), 1);
    TForm* other = MakeForm(0, 0, 50, 50);  // names are unique ignoring case per owner
    TControl* lower = Named(Graphic(other, 0, 0, 5, 5), "alpha");
    EXPECT_EQ(list->IndexOf(lower), -1);  // differs only in letter case: no match
    // Two unnamed controls share the empty name: one finds the other's item.
    TControl* u1 = Graphic(form, 0, 50, 5, 5);
    TControl* u2 = Graphic(form, 0, 60, 5, 5);
    Add(u1);
    EXPECT_EQ(list->IndexOf(u2), 2);
}

TEST_F(ControlsList, IndexOfSkipsItemsWithoutAControl) {
    Add(nullptr);  // a stored name the loader could not resolve
    Add(a);
    TControl* unnamed = Graphic(form, 0, 50, 5, 5);
    EXPECT_EQ(list->IndexOf(a), 1);
    EXPECT_EQ(list->IndexOf(unnamed), -1);
}

TEST_F(ControlsList, RemoveControlTakesTheFirstItemOfThatVeryControl) {
    Add(a);
    Add(b);
    Add(a);  // a duplicate from a hand-edited stream
    EXPECT_TRUE(list->RemoveControl(a));
    EXPECT_EQ(Controls(), (std::vector<TControl*>{b, a}));
    EXPECT_FALSE(list->RemoveControl(c));
    EXPECT_EQ(Controls(), (std::vector<TControl*>{b, a}));
}

TEST_F(ControlsList, RemovalCountsAsOneChangeOfTheCollection) {
    auto* counting = new TCountingList(tracker, form);
    static_cast<TQVControlItem*>(counting->Add())->TheControl = a;
    static_cast<TQVControlItem*>(counting->Add())->TheControl = b;
    counting->Updates = 0;
    EXPECT_TRUE(counting->RemoveControl(a));
    EXPECT_EQ(counting->Updates, 1);
    counting->Free();
}

TEST_F(ControlsList, InsertionAndUnrelatedRemovalsChangeNothing) {
    Add(a);
    list->Notification(a, opInsert);
    EXPECT_EQ(Controls(), (std::vector<TControl*>{a}));
    auto* other = new TComponent(form);  // not a control, not listed
    other->Free();
    b->Free();  // a control that is not listed
    EXPECT_EQ(Controls(), (std::vector<TControl*>{a}));
}

TEST_F(ControlsList, ControlMovedToAnotherOwnerLeavesTheList) {
    Add(a);
    Add(b);
    TForm* other = MakeForm(0, 0, 100, 100);
    other->InsertComponent(a);
    EXPECT_EQ(Controls(), (std::vector<TControl*>{b}));
    EXPECT_NE(a->Owner(), nullptr);  // the control still exists
}
