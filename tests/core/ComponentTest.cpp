#include <gtest/gtest.h>

#include "TestClasses.h"

using namespace vcl;
using namespace test;

namespace {

// Frees a sibling from inside its own teardown notification.
class TSiblingKiller : public TComponent {
public:
    TSiblingKiller(TComponent* owner, TComponent* victim) : TComponent(owner), FVictim(victim) {}
    void Notification(TComponent* AComponent, TOperation Operation) override {
        TComponent::Notification(AComponent, Operation);
        if (Operation == opRemove && AComponent == FVictim) FVictim = nullptr;
    }
    ~TSiblingKiller() override {
        if (FVictim) FVictim->Free();
    }

private:
    TComponent* FVictim;
};

}  // namespace

TEST(Component, OwnerFreesItsComponents) {
    auto* owner = new TTestForm(nullptr);
    auto* a = new TTestControl(owner);
    auto* b = new TTestWatcher(owner);
    EXPECT_EQ(owner->GetComponentCount(), 2);
    EXPECT_EQ(owner->GetComponent(0), a);
    EXPECT_EQ(b->Owner(), owner);
    owner->Free();  // the sanitizers catch a leak or a double free
}

TEST(Component, NamesFollowIdentifierRulesAndAreUniqueAmongSiblings) {
    TTestForm owner(nullptr);
    auto* a = new TTestControl(&owner);
    auto* b = new TTestControl(&owner);
    a->SetName("Edit1");
    EXPECT_THROW(b->SetName("edit1"), EComponentError);  // unique ignoring case
    EXPECT_THROW(b->SetName("1Edit"), EComponentError);
    EXPECT_THROW(b->SetName("Ed it"), EComponentError);
    EXPECT_EQ(b->Name(), "");
    b->SetName("_Edit2");
    EXPECT_EQ(owner.FindComponent("EDIT1"), a);
    EXPECT_EQ(owner.FindComponent("_Edit2"), b);
    EXPECT_EQ(owner.FindComponent("Nope"), nullptr);
    a->SetName("");  // unnamed is allowed, and unnamed components may repeat
    b->SetName("");
    EXPECT_EQ(owner.FindComponent(""), nullptr);
}

TEST(Component, InsertAndRemoveAreAnnouncedToEveryComponentOfTheOwner) {
    TTestForm owner(nullptr);
    auto* w1 = new TTestWatcher(&owner);
    auto* w2 = new TTestWatcher(&owner);
    auto* c = new TTestControl(&owner);
    ASSERT_FALSE(w1->Seen.empty());
    EXPECT_EQ(w1->Seen.back(), std::make_pair(static_cast<TComponent*>(c), opInsert));
    EXPECT_EQ(w2->Seen.back(), std::make_pair(static_cast<TComponent*>(c), opInsert));
    c->Free();
    EXPECT_EQ(w1->Seen.back(), std::make_pair(static_cast<TComponent*>(c), opRemove));
    EXPECT_EQ(w2->Seen.back(), std::make_pair(static_cast<TComponent*>(c), opRemove));
}

TEST(Component, MovingToAnotherOwnerRemovesFromTheFirst) {
    TTestForm first(nullptr), second(nullptr);
    auto* w = new TTestWatcher(&first);
    auto* c = new TTestControl(&first);
    c->SetName("Moved");
    second.InsertComponent(c);
    EXPECT_EQ(c->Owner(), &second);
    EXPECT_EQ(first.FindComponent("Moved"), nullptr);
    EXPECT_EQ(second.FindComponent("Moved"), c);
    EXPECT_EQ(w->Seen.back(), std::make_pair(static_cast<TComponent*>(c), opRemove));
    // A name taken in the new owner refuses the move.
    auto* clash = new TTestControl(&first);
    clash->SetName("Moved");
    EXPECT_THROW(second.InsertComponent(clash), EComponentError);
    EXPECT_EQ(clash->Owner(), &first);
}

TEST(Component, FreeNotificationAcrossOwnersSurvivesAnOverrideThatSwallowsIt) {
    auto* ownerA = new TTestForm(nullptr);
    auto* ownerB = new TTestForm(nullptr);
    auto* watcher = new TTestWatcher(ownerA);  // its Notification does not call the base
    auto* target = new TTestControl(ownerB);
    target->FreeNotification(watcher);
    target->Free();
    ASSERT_FALSE(watcher->Seen.empty());
    EXPECT_EQ(watcher->Seen.back(), std::make_pair(static_cast<TComponent*>(target), opRemove));
    // The watcher must not keep the dead target in its own list: freeing it
    // later would otherwise notify freed memory.
    ownerA->Free();
    ownerB->Free();
}

TEST(Component, FreeNotificationReceiverDyingFirstIsForgotten) {
    auto* ownerA = new TTestForm(nullptr);
    auto* ownerB = new TTestForm(nullptr);
    auto* watcher = new TTestWatcher(ownerA);
    auto* target = new TTestControl(ownerB);
    target->FreeNotification(watcher);
    ownerA->Free();  // the receiver goes first
    target->Free();  // must not notify the freed receiver
    ownerB->Free();
}

TEST(Component, ChildDeletesItsSiblingDuringOwnerTeardown) {
    auto* owner = new TTestForm(nullptr);
    auto* victim = new TTestControl(owner);
    new TTestControl(owner);
    new TSiblingKiller(owner, victim);  // freed first (last to first), frees victim
    new TTestControl(owner);
    owner->Free();
}

TEST(Component, PublishedFieldFollowsTheComponentOfItsName) {
    TTestForm form(nullptr);
    auto* b = new TTestControl(&form);
    EXPECT_EQ(form.Button1, nullptr);
    b->SetName("Button1");
    EXPECT_EQ(form.Button1, b);
    b->SetName("Button2");
    EXPECT_EQ(form.Button1, nullptr);
    b->SetName("Button1");
    b->Free();
    EXPECT_EQ(form.Button1, nullptr);  // cleared before the button is gone
}

TEST(Component, DesigningStateReachesOwnedComponents) {
    TTestForm form(nullptr);
    auto* a = new TTestControl(&form);
    form.SetDesigning(true);
    EXPECT_TRUE(a->ComponentState().Contains(csDesigning));
    auto* later = new TTestWatcher(&form);  // inserted into a designed owner
    EXPECT_TRUE(later->ComponentState().Contains(csDesigning));
}
