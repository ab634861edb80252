// Replacing one property in a text form: the object found at any depth,
// multi-line values of every kind skipped whole, line ends kept.
#include <gtest/gtest.h>

#include "ProgramFixture.h"
#include "tools/qvdesign/FormSplice.h"

using namespace vcl::formsplice;

namespace {

TEST(FormSplice, ReplacesInsertsAndRemovesOnlyTheNamedPropertysLines) {
    // Every multi-line value kind, an object named inside a string, and
    // properties of collection items.
    const std::string form = vcltest::Slurp(QV_TEST_DATA_DIR "/Splice.dfm");
    struct TCase {
        const char* Object;
        const char* Property;
        const char* Lines;
        std::string Expected;
    };
    std::string replaced = form, inserted = form, removed = form, caption = form;
    replaced.replace(replaced.find("      Associate = <"), replaced.find("      Bounding") - replaced.find("      Associate = <"),
                     "      Associate = <>\n");
    inserted.insert(inserted.find("    end\n  end\nend"), "      Tag = 1\n");
    removed.erase(removed.find("      Items.Strings"), removed.find("    end\n  end\nend") - removed.find("      Items.Strings"));
    caption.replace(caption.find("    Caption = 'a'"), std::string("    Caption = 'a' +\n      'b'\n").size(),
                    "    Caption = 'c'\n");
    const TCase cases[] = {
        {"T", "Associate", "      Associate = <>\n", replaced},
        {"T2", "Tag", "      Tag = 1", inserted},
        {"t2", "items.strings", "", removed},
        {"Panel1", "Caption", "    Caption = 'c'\n", caption},
    };
    for (const TCase& c : cases) {
        SCOPED_TRACE(std::string(c.Object) + "." + c.Property);
        auto out = ReplaceProperty(form, c.Object, c.Property, c.Lines);
        ASSERT_TRUE(out.has_value());
        EXPECT_EQ(*out, c.Expected);
    }
    EXPECT_FALSE(ReplaceProperty(form, "Nobody", "Tag", "Tag = 1\n").has_value());
    EXPECT_FALSE(FindProperty(form, "Form1", "X").has_value()) << "an item's property is not the object's";
}

TEST(FormSplice, KeepsCrlfLineEnds) {
    const std::string form = "object F: TForm\r\n  Tag = 1\r\n  Left = 2\r\nend\r\n";
    auto out = ReplaceProperty(form, "F", "Tag", "  Tag = 5\n");
    ASSERT_TRUE(out.has_value());
    EXPECT_EQ(*out, "object F: TForm\r\n  Tag = 5\r\n  Left = 2\r\nend\r\n");
}

}  // namespace
