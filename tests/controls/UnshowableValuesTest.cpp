// Values a form file can hold but a control cannot show: not a number,
// infinities, dates beyond the calendar, ranges given upside down. They are
// drawn safely (the suite runs with float-cast-overflow checks), never
// converted blindly.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <limits>

#include "ControlsFixture.h"
#include "framework/ComCtrls.h"
#include "framework/Spin.h"
#include "framework/Streaming.h"
#include "framework/SysUtils.h"

using namespace vcl;
using namespace vcltest;

namespace {

class UnshowableValues : public DesktopTest {
protected:
    void SetUp() override {
        DesktopTest::SetUp();
        RegisterFormClasses();
        RegisterComCtrls();
        RegisterSpinEdits();
        form = MakeForm(10, 10, 400, 300);
        form->Show();
    }
    TForm* form = nullptr;
};

constexpr double NaN = std::numeric_limits<double>::quiet_NaN();
constexpr double Inf = std::numeric_limits<double>::infinity();

}  // namespace

TEST_F(UnshowableValues, DatesAndTimesOutsideTheCalendarShowNothing) {
    auto* picker = Make<TDateTimePicker>(form, 10, 10);
    const TPropInfo* kind = GetPropInfo(picker, "Kind");
    const struct {
        double Value;
        TDateTimeKind Kind;
        const char* Shown;
    } cases[] = {
        {NaN, dtkDate, ""},           {Inf, dtkDate, ""},
        {-Inf, dtkTime, ""},          {NaN, dtkTime, ""},
        {1e300, dtkDate, ""},         {-1e300, dtkTime, ""},
        {2958466, dtkDate, ""},       {-693594, dtkDate, ""},  // 1 Jan 10000, 31 Dec 0000
        {2958465.99, dtkDate, "31.12.9999"}, {-693593, dtkDate, "01.01.0001"},
        {0, dtkDate, "30.12.1899"},   {45000.75, dtkTime, "18:00:00"},
        {-1.25, dtkTime, "06:00:00"}, {0.9999999, dtkTime, "00:00:00"},
    };
    for (const auto& c : cases) {
        SetOrdProp(picker, kind, c.Kind);
        (c.Kind == dtkTime ? picker->Time : picker->Date) = c.Value;
        EXPECT_EQ(picker->DisplayText(), c.Shown) << c.Value;
        picker->Invalidate();
        Process();  // painted
    }
}

TEST_F(UnshowableValues, RangesAndValuesAtTheEdgesPaint) {
    ReadComponentFromText(
        "object F: TForm\n"
        "  object P: TProgressBar\n    Width = 2147483647\n    Min = -2147483648\n    Max = 2147483647\n"
        "    Position = 2147483647\n  end\n"
        "  object T: TTrackBar\n    Width = 2147483647\n    Min = 10\n    Max = -2147483648\n"
        "    Position = 2147483647\n  end\n"
        "  object S: TFloatSpinEdit\n    MinValue = 1.000000000000000000\n    MaxValue = 0.000000000000000000\n"
        "    Value = 1.000000000000000000E300\n  end\n"
        "end\n",
        "edges.dfm", form);
    Process();
    EXPECT_EQ(static_cast<TFloatSpinEdit*>(form->FindComponent("S"))->Text(), "1e+300");
}

TEST_F(UnshowableValues, FormsTheFuzzerFoundReadAndPaint) {
    int found = 0;
    for (const auto& e : std::filesystem::directory_iterator(QV_FUZZ_SEEDS)) {
        if (e.path().filename().string().rfind("component-reader-", 0) != 0) continue;
        ++found;
        std::string data;
        ASSERT_TRUE(ReadFileBytes(e.path().string(), data)) << e.path();
        TForm* f = nullptr;
        Application->CreateForm(f);
        try {
            ReadComponentFromBinary(data, e.path().string(), f, /*IgnoreMissingHandlers=*/true);
        } catch (const Exception&) {
        }
        f->Show();
        Process();
        f->Free();
    }
    EXPECT_GE(found, 2);
}
