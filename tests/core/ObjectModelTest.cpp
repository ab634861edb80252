#include <gtest/gtest.h>

#include "TestClasses.h"

using namespace vcl;
using namespace test;

TEST(ObjectModel, ClassNamesAndAncestryWalkToTheRoot) {
    TTestForm form(nullptr);
    EXPECT_EQ(form.ClassName(), "TTestForm");
    EXPECT_TRUE(form.ClassNameIs("TTestForm"));
    EXPECT_FALSE(form.ClassNameIs("ttestform"));  // exact, case-sensitive
    std::vector<std::string> chain;
    for (const TMetaClass* c = form.ClassType(); c; c = c->ClassParent()) chain.push_back(c->ClassName());
    EXPECT_EQ(chain, (std::vector<std::string>{"TTestForm", "TTestControl", "TComponent", "TPersistent", "TObject"}));
    EXPECT_EQ(TObject::StaticClass()->ClassParent(), nullptr);
    EXPECT_TRUE(form.InheritsFrom(TComponent::StaticClass()));
    EXPECT_FALSE(TComponent::StaticClass()->InheritsFrom(TTestControl::StaticClass()));
}

TEST(ObjectModel, PublishedPropertiesKeepDeclarationOrderAncestorsFirst) {
    std::vector<std::string> names;
    for (const TPropInfo* p : TTestForm::StaticClass()->Properties()) names.push_back(p->Name);
    EXPECT_EQ(names, (std::vector<std::string>{"Name", "Tag", "Left", "Top", "Width", "Height", "Caption", "Visible",
                                               "Align", "Ratio", "Big", "Font", "Buddy", "OnClick"}));
    EXPECT_EQ(TTestForm::StaticClass()->FindProperty("caption"), TTestForm::StaticClass()->FindProperty("Caption"));
    EXPECT_EQ(TTestForm::StaticClass()->FindProperty("Nope"), nullptr);
    const TPropInfo* visible = TTestControl::StaticClass()->FindProperty("Visible");
    ASSERT_TRUE(visible->Default.has_value());
    EXPECT_EQ(*visible->Default, 1);
    EXPECT_FALSE(TTestControl::StaticClass()->FindProperty("Left")->Default.has_value());
}

TEST(ObjectModel, FactoriesExistOnlyWhereStreamsMayCreate) {
    EXPECT_NE(TTestControl::StaticClass()->NewComponent, nullptr);
    EXPECT_EQ(TTestFont::StaticClass()->NewComponent, nullptr);
    EXPECT_NE(TTestItem::StaticClass()->NewItem, nullptr);
    TComponent* c = TTestControl::StaticClass()->NewComponent(nullptr);
    EXPECT_EQ(c->ClassName(), "TTestControl");
    c->Free();
}

TEST(ObjectModel, PropertyAccessByNameReachesFieldsAndAccessors) {
    TTestControl c(nullptr);
    const TMetaClass* mc = c.ClassType();
    SetOrdProp(&c, mc->FindProperty("Width"), 77);
    EXPECT_EQ(c.Width, 77);
    SetOrdProp(&c, mc->FindProperty("Align"), taClient);
    EXPECT_EQ(c.Align, taClient);
    SetStrProp(&c, mc->FindProperty("Caption"), "Hi");
    EXPECT_EQ(c.Caption, "Hi");
    SetOrdProp(&c, mc->FindProperty("Tag"), 5);
    EXPECT_EQ(c.Tag(), 5);
    TObject* font = GetObjectProp(&c, mc->FindProperty("Font"));
    EXPECT_EQ(font, c.Font());
    TTestFont other;
    EXPECT_THROW(SetObjectProp(&c, mc->FindProperty("Buddy"), &other), EPropertyError);  // wrong class
}

TEST(ObjectModel, EventIsAssignedOnlyByItsCodePart) {
    TTestForm form(nullptr);
    TNotifyEvent e;
    EXPECT_FALSE(e.Assigned());
    e.SetData(&form);  // object part alone
    EXPECT_FALSE(e.Assigned());
    e(&form);  // calling an unassigned event does nothing
    EXPECT_TRUE(form.Clicks.empty());
    e = TNotifyEvent::Of<&TTestForm::ButtonClick>(&form);
    ASSERT_TRUE(e.Assigned());
    e(&form);
    ASSERT_EQ(form.Clicks.size(), 1u);
    // The method found by name is the same closure the direct binding makes.
    const TMethodInfo* mi = form.ClassType()->FindMethod("buttonclick");
    ASSERT_NE(mi, nullptr);
    EXPECT_EQ(mi->Code, e.ToMethod().Code);
    EXPECT_EQ(mi->Signature, TNotifyEvent::Signature());
    EXPECT_NE(form.ClassType()->FindMethod("WrongSignature")->Signature, TNotifyEvent::Signature());
}

TEST(ObjectModel, SetsUniteAndSubtractMembers) {
    TTestStyles s{tsBold};
    s = s + TTestStyles{tsUnderline};
    EXPECT_TRUE(s.Contains(tsBold) && s.Contains(tsUnderline) && !s.Contains(tsItalic));
    s = s - TTestStyles{tsBold};
    EXPECT_EQ(s, TTestStyles{tsUnderline});
    s >> tsUnderline;
    EXPECT_TRUE(s.Empty());
}

TEST(ObjectModel, WeakReferenceBecomesNullWhenTargetIsFreed) {
    auto* target = new TTestControl(nullptr);
    TWeakRef<TTestControl> a(target);
    TWeakRef<TTestControl> b = a;
    TWeakRef<TTestControl> c;
    c = target;
    c = nullptr;  // detaching one leaves the others attached
    EXPECT_EQ(a.Get(), target);
    target->Free();
    EXPECT_EQ(a.Get(), nullptr);
    EXPECT_EQ(b.Get(), nullptr);
    EXPECT_EQ(c.Get(), nullptr);
}

TEST(ObjectModel, WeakReferenceOutlivedByTargetDetachesCleanly) {
    auto* target = new TTestControl(nullptr);
    {
        TWeakRef<TTestControl> inner(target);
    }
    TWeakRef<TTestControl> outer(target);
    target->Free();  // must not touch the destroyed inner reference
    EXPECT_EQ(outer.Get(), nullptr);
}

TEST(ObjectModel, IntToStrWritesPlainDecimal) {
    EXPECT_EQ(IntToStr(0), "0");
    EXPECT_EQ(IntToStr(39), "39");
    EXPECT_EQ(IntToStr(-7), "-7");
    EXPECT_EQ(IntToStr(INT64_MIN), "-9223372036854775808");
}
