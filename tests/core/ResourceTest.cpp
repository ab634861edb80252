#include <gtest/gtest.h>

#include "TestClasses.h"
#include "framework/Resources.h"

using namespace vcl;
using namespace test;

TEST(Resources, FormIsBuiltFromTheResourceNamedAfterItsClass) {
    RegisterTestClasses();
    ASSERT_TRUE(FindResource("TTESTFORM").has_value());
    EXPECT_TRUE(FindResource("ttestform").has_value());
    EXPECT_EQ(FindResource("TNOSUCHFORM"), std::nullopt);
    auto* form = new TTestForm(nullptr);
    ASSERT_TRUE(InitInheritedComponent(form));
    EXPECT_EQ(form->Name(), "TestForm");
    ASSERT_NE(form->Button1, nullptr);
    EXPECT_EQ(form->Button1->Caption, "Press");
    form->Free();
    EXPECT_THROW(ReadComponentRes("TNOSUCHFORM", nullptr), EResNotFound);
}

TEST(Resources, EmbeddedBytesAreTheCompiledBinaryForm) {
    auto data = FindResource("TTESTFORM");
    ASSERT_TRUE(data.has_value());
    EXPECT_EQ(data->substr(0, 4), "TPF0");
}
