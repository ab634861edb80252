// Every control kind in the classic look, on a reference form shown on the
// headless desktop and read back from a screenshot: the looks, the changes
// each makes to its control, what the pointer does and the pixels to probe
// are in data/looks.txt.
#include <algorithm>
#include <climits>
#include <functional>
#include <iterator>
#include <map>
#include <sstream>

#include "ControlsFixture.h"
#include "DataCases.h"
#include "ProgramFixture.h"
#include "framework/Buttons.h"
#include "framework/CheckLst.h"
#include "framework/ExtCtrls.h"
#include "framework/StdCtrls.h"
#include "framework/Streaming.h"
#include "framework/Windows.h"

namespace {

using namespace vcltest;

// The reference form: data/Reference.dfm, its controls named after their kind.
class Paint : public GraphicsTest, public ::testing::WithParamInterface<vcltest::TDataCase> {
protected:
    void SetUp() override {
        GraphicsTest::SetUp();
        RegisterExtControls();  // and the standard controls and buttons
        RegisterCheckListBox();
        form = ShowForm(100, 80, 420, 260);
        ReadComponentFromText(Slurp(QV_TEST_DATA_DIR "/Reference.dfm"), "Reference.dfm", form);
        Process();
    }
    // A control's point on the screen, in its bounds' coordinates.
    static TPoint ScreenPoint(const TControl* control, int32_t x, int32_t y) {
        return control->Parent() ? control->Parent()->ClientToScreen(TPoint{control->Left() + x, control->Top() + y})
                                 : control->ClientToScreen(TPoint{x, y});
    }

    TForm* form = nullptr;
};

const std::map<std::string, uint32_t> kColours = {{"white", kWhite}, {"black", kBlack},  {"face", kFace},
                                                  {"shadow", kShadow}, {"light", kLight}, {"navy", kNavy},
                                                  {"red", kRed},     {"teal", kTeal}};

TEST_P(Paint, LooksAsDrawn) {
    const std::string& input = GetParam().Input;
    std::istringstream look(input.substr(0, input.find("; ")));
    std::string name, which, pointer;
    TPoint at{};
    char comma = 0;
    look >> name >> which >> pointer >> at.x >> comma >> at.y;
    auto* control = static_cast<TControl*>(which == form->Name() ? form : form->FindComponent(which));
    ASSERT_NE(control, nullptr) << which;
    for (size_t from = input.find("; "), end = 0; from < input.size(); from = end) {
        end = std::min(input.find("; ", from + 2), input.size());
        std::istringstream change(input.substr(from + 2, end - from - 2));
        std::string verb, property, value;
        change >> verb >> property;
        std::getline(change >> std::ws, value);
        if (verb == "set") SetProperty(control, property, value);
        if (verb == "focus") static_cast<TWinControl*>(control)->SetFocus();
        if (verb == "selectall") static_cast<TEdit*>(control)->SelectAll();
        if (verb == "check") static_cast<TCheckListBox*>(control)->SetChecked(std::stoi(property), true);
        if (verb == "add") static_cast<TCheckListBox*>(control)->Items()->Add(property);
        if (verb == "select") static_cast<TCheckListBox*>(control)->SetItemIndex(std::stoi(property));
    }
    Process();
    at = ScreenPoint(control, at.x, at.y);
    if (!pointer.empty()) Desktop()->MoveTo(at);
    if (pointer == "press") Desktop()->Press();
    if (pointer == "click") Desktop()->Click(at);
    if (pointer == "over-then-away") {
        Process();
        Desktop()->MoveTo(TPoint{5, 5});
    }
    Process();
    const TBitmapData screen = Desktop()->Screenshot();
    const std::string& probes = GetParam().Expected;
    for (size_t from = 0, end = 0; from < probes.size(); from = end + 2) {
        end = std::min(probes.find("; ", from), probes.size());
        std::istringstream probe(probes.substr(from, end - from));
        std::string where, colour, count = "1";
        probe >> where >> colour >> count;
        std::replace(where.begin(), where.end(), ',', ' ');
        std::istringstream numbers(where);
        const std::vector<int32_t> v{std::istream_iterator<int32_t>(numbers), {}};
        const TRect r = v.size() == 4 ? TRect{v[0], v[1], v[2], v[3]} : TRect{v[0], v[1], v[0] + 1, v[1] + 1};
        const size_t dash = count.find('-');
        const int min = std::stoi(count);
        const int max = count.back() == '+' ? INT_MAX : dash != std::string::npos ? std::stoi(count.substr(dash + 1)) : min;
        int n = 0;
        for (int32_t y = r.Top; y < r.Bottom; ++y)
            for (int32_t x = r.Left; x < r.Right; ++x) {
                const TPoint p = ScreenPoint(control, x, y);
                n += screen.Pixel(p.x, p.y) == kColours.at(colour);
            }
        const TPoint first = ScreenPoint(control, r.Left, r.Top);
        EXPECT_TRUE(n >= min && n <= max) << GetParam().Where << ": " << probe.str() << ": " << n
                                          << " pixels (the first is 0x" << std::hex << screen.Pixel(first.x, first.y)
                                          << ")";
    }
}

INSTANTIATE_TEST_SUITE_P(Controls, Paint, ::testing::ValuesIn(vcltest::ReadCases(QV_TEST_DATA_DIR "/looks.txt")),
                         [](const auto& info) { return info.param.Input.substr(0, info.param.Input.find(' ')); });


using PaintBox = GraphicsTest;

TEST_F(PaintBox, MessageBoxErrorIconIsARedDiscWithAWhiteCross) {
    TForm* form = ShowForm(100, 80, 420, 260);
    uint32_t disc = 0, cross = 0;
    Desktop()->OnIdleInput = [&] {
        TCustomForm* box = Screen->ActiveForm();
        if (!box || box == form) return false;
        TBitmapData screen = Desktop()->Screenshot();
        TPoint icon = box->ClientToScreen(TPoint{12, 12});  // the icon's place in the box
        disc = screen.Pixel(icon.x + 5, icon.y + 16);
        cross = screen.Pixel(icon.x + 16, icon.y + 16);
        Desktop()->Key(VK_RETURN);
        return true;
    };
    EXPECT_EQ(MessageBoxA(nullptr, "Failed", "Error", MB_OK | MB_ICONERROR), IDOK);
    Desktop()->OnIdleInput = nullptr;
    EXPECT_EQ(disc, kRed);
    EXPECT_EQ(cross, kWhite);
}

}  // namespace
