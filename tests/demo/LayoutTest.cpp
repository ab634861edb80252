// HoverBench's compiled form resources, read back and held against the
// designed layout: every component in creation order, every stored property
// and value, every handler binding and the tracked controls.
#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <string>
#include <vector>

#include "framework/FormFiles.h"
#include "framework/Resources.h"

namespace {

using TProps = std::map<std::string, std::string>;

struct TObjectText {
    std::string Name, Class, Parent;
    TProps Props;
    std::vector<std::string> Items;  // TheControl of each collection item
};

// The objects of a text form, in the order written. Multi-line values are
// kept by their first line; collection items by their TheControl.
std::vector<TObjectText> ParseForm(const std::string& Text) {
    std::vector<TObjectText> objects;
    std::vector<size_t> open;
    std::istringstream in(Text);
    std::string line;
    while (std::getline(in, line)) {
        line.erase(0, line.find_first_not_of(' '));
        if (line.starts_with("object ")) {
            const size_t colon = line.find(": ");
            TObjectText o;
            o.Name = line.substr(7, colon - 7);
            o.Class = line.substr(colon + 2);
            if (!open.empty()) o.Parent = objects[open.back()].Name;
            open.push_back(objects.size());
            objects.push_back(o);
        } else if (line == "end") {
            open.pop_back();
        } else if (const size_t eq = line.find(" = "); eq != std::string::npos && !open.empty()) {
            TObjectText& o = objects[open.back()];
            const std::string name = line.substr(0, eq), value = line.substr(eq + 3);
            o.Props[name] = value;
            const char close = value == "{" ? '}' : value == "<" ? '>' : value == "(" ? ')' : 0;
            if (!close) continue;
            while (std::getline(in, line) && line.back() != close) {
                line.erase(0, line.find_first_not_of(' '));
                if (line.starts_with("TheControl = ")) o.Items.push_back(line.substr(13));
            }
        }
    }
    return objects;
}

std::vector<TObjectText> Resource(const char* Name) {
    auto data = vcl::FindResource(Name);
    EXPECT_TRUE(data.has_value()) << Name;
    return data ? ParseForm(vcl::formfile::BinaryToText(*data, Name)) : std::vector<TObjectText>{};
}

// Builders for the layout's rows.
TProps Bounds(int L, int T, int W, int H) {
    return {{"Left", std::to_string(L)}, {"Top", std::to_string(T)}, {"Width", std::to_string(W)},
            {"Height", std::to_string(H)}};
}
TProps Font(int Height, const char* Color, const char* Style) {
    return {{"Font.Charset", "ANSI_CHARSET"},
            {"Font.Color", Color},
            {"Font.Height", std::to_string(Height)},
            {"Font.Name", "'Tahoma'"},
            {"Font.Style", Style}};
}
TProps operator+(TProps A, const TProps& B) {
    A.insert(B.begin(), B.end());
    return A;
}
std::string Quoted(const std::string& S) {
    std::string q = "'";
    for (char c : S) q += c == '\'' ? std::string("''") : std::string(1, c);
    return q + "'";
}

void ExpectObjects(const std::vector<TObjectText>& Actual, const std::vector<TObjectText>& Expected) {
    ASSERT_EQ(Actual.size(), Expected.size());
    for (size_t i = 0; i < Expected.size(); ++i) {
        SCOPED_TRACE(Expected[i].Name);
        EXPECT_EQ(Actual[i].Name, Expected[i].Name) << "creation order";
        EXPECT_EQ(Actual[i].Class, Expected[i].Class);
        EXPECT_EQ(Actual[i].Parent, Expected[i].Parent);
        EXPECT_EQ(Actual[i].Props, Expected[i].Props);
        EXPECT_EQ(Actual[i].Items, Expected[i].Items);
    }
}

TEST(HoverBenchLayout, MainFormResourceHoldsTheDesignedLayout) {
    std::vector<TObjectText> e;
    auto add = [&](std::string Name, std::string Class, TProps Props, std::string Parent = "FormDemo") {
        e.push_back({std::move(Name), std::move(Class), std::move(Parent), std::move(Props), {}});
    };
    add("FormDemo", "TFormDemo",
        TProps{{"Left", "201"},
               {"Top", "101"},
               {"BorderIcons", "[biSystemMenu]"},
               {"BorderStyle", "bsSingle"},
               {"Caption", "'QVTrackMouse Demo'"},
               {"ClientWidth", "437"},
               {"ClientHeight", "266"},
               {"Color", "clBlack"},
               {"Icon.Data", "{"},
               {"PixelsPerInch", "96"},
               {"TextHeight", "13"}} +
            Font(-11, "clWindowText", "[]"),
        "");
    auto bevel = [&](const char* Name, int Left) { add(Name, "TBevel", Bounds(Left, 26, 70, 100)); };
    auto label = [&](const char* Name, TProps B, const char* Caption, int FontHeight, const char* FontColour,
                     bool Black, bool Transparent) {
        TProps p = B + Font(FontHeight, FontColour, "[fsBold]") +
                   TProps{{"Caption", Quoted(Caption)}, {"ParentFont", "False"}};
        if (Black) p = p + TProps{{"Color", "clBlack"}, {"ParentColor", "False"}};
        if (Transparent) p["Transparent"] = "True";
        add(Name, "TLabel", p);
    };
    bevel("Bevel1", 2);
    label("lblLink", Bounds(202, 182, 210, 19), "Orbelline Technologies", -16, "clAqua", false, true);
    label("Label2", Bounds(8, 32, 38, 14), "New...", -12, "clAqua", true, true);
    label("Label3", Bounds(8, 52, 32, 14), "Open", -12, "clAqua", true, true);
    label("Label4", Bounds(8, 74, 29, 14), "Save", -12, "clAqua", true, true);
    label("Label5", Bounds(8, 96, 32, 14), "Close", -12, "clAqua", true, true);
    bevel("Bevel2", 74);
    bevel("Bevel3", 146);
    bevel("Bevel4", 218);
    bevel("Bevel5", 290);
    label("lblAdditioned", Bounds(228, 132, 130, 13), "Controls additioned: 00", -11, "clWhite", false, false);
    auto panel = [&](const char* Name, int Left, int Top, const char* Caption, int Tab, bool Visible = true) {
        TProps p = Bounds(Left, Top, 70, 21) + Font(-11, "clWhite", "[fsBold]") +
                   TProps{{"BevelOuter", "bvNone"},
                          {"Caption", Quoted(Caption)},
                          {"Color", "4276545"},
                          {"ParentFont", "False"},
                          {"TabOrder", std::to_string(Tab)},
                          {"OnMouseDown", "pnlPanelsMouseDown"},
                          {"OnMouseUp", "pnlPanelsMouseUp"}};
        if (!Visible) p["Visible"] = "False";
        add(Name, "TPanel", p);
    };
    panel("pnlLabels", 2, 2, "Labels", 0);
    panel("Panel2", 74, 2, "Edits", 1);
    panel("Panel3", 146, 2, "Buttons", 2);
    panel("Panel4", 218, 2, "CheckBoxs", 3);
    panel("Panel5", 290, 2, "RdButtons", 4);
    panel("pnlPanels", 364, 2, "Panels", 5, false);
    panel("pnlAbout", 364, 26, "About", 6);
    panel("pnlAdd", 364, 54, "Add", 7);
    panel("pnlExit", 364, 105, "Exit", 8);
    for (int i = 0; i < 3; ++i)
        add("Edit" + std::to_string(i + 1), "TEdit",
            Bounds(78, 32 + 26 * i, 61, 21) + Font(-11, "clWhite", "[]") +
                TProps{{"Color", "clGray"},
                       {"ParentFont", "False"},
                       {"TabOrder", std::to_string(9 + i)},
                       {"Text", "'Edit" + std::to_string(i + 1) + "'"}});
    for (int i = 0; i < 3; ++i)
        add("Button" + std::to_string(i + 1), "TButton",
            Bounds(150, 32 + 29 * i, 62, 25) +
                TProps{{"Caption", "'Button" + std::to_string(i + 1) + "'"}, {"TabOrder", std::to_string(12 + i)}});
    const int checkTops[] = {34, 55, 75, 96}, radioTops[] = {34, 56, 76, 96};
    for (int i = 0; i < 4; ++i)
        add("CheckBox" + std::to_string(i + 1), "TCheckBox",
            Bounds(222, checkTops[i], 62, 17) + Font(-11, "clSilver", "[]") +
                TProps{{"Caption", "'ChkBox" + std::to_string(i + 1) + "'"},
                       {"Color", "clBlack"},
                       {"ParentColor", "False"},
                       {"ParentFont", "False"},
                       {"TabOrder", std::to_string(15 + i)}});
    for (int i = 0; i < 4; ++i)
        add("RadioButton" + std::to_string(i + 1), "TRadioButton",
            Bounds(294, radioTops[i], 62, 17) + Font(-11, "clAqua", "[]") +
                TProps{{"Caption", "'RdBtn" + std::to_string(i + 1) + "'"},
                       {"ParentFont", "False"},
                       {"TabOrder", std::to_string(19 + i)}});
    panel("pnlRemove", 364, 78, "Remove", 23);
    auto grey = [&](const char* Name, int Left, int Top, const char* Caption, int Tab) {
        add(Name, "TPanel",
            Bounds(Left, Top, 80, 40) + TProps{{"Alignment", "taLeftJustify"},
                                               {"BevelOuter", "bvNone"},
                                               {"Caption", Quoted(Caption)},
                                               {"Color", "clGray"},
                                               {"TabOrder", std::to_string(Tab)}});
    };
    grey("pnlTesting", 10, 150, "  Testing", 24);
    grey("pnlThe", 50, 170, "  the", 25);
    grey("pnlBounding", 90, 192, "  Bounding", 26);
    add("chkboxBounding", "TCheckBox",
        Bounds(12, 130, 97, 17) + Font(-11, "clWhite", "[fsBold]") +
            TProps{{"Caption", "'Bounding'"},
                   {"ParentFont", "False"},
                   {"TabOrder", "27"},
                   {"OnClick", "chkboxBoundingClick"}});
    add("pnlMessage", "TPanel",
        Bounds(0, 243, 437, 23) + Font(-11, "clWhite", "[]") +
            TProps{{"Align", "alBottom"},
                   {"Alignment", "taLeftJustify"},
                   {"BevelOuter", "bvNone"},
                   {"Caption", Quoted("  TQVTrackMouse don't track the mouse over child components...")},
                   {"Color", "clGray"},
                   {"ParentFont", "False"},
                   {"TabOrder", "28"}});
    add("pnlChildMessage", "TPanel",
        Bounds(322, 3, 107, 17) + Font(-11, "clBlack", "[]") +
            TProps{{"BevelOuter", "bvNone"},
                   {"Caption", "'...not yet !'"},
                   {"ParentFont", "False"},
                   {"TabOrder", "0"}},
        "pnlMessage");
    add("QVTrack", "TQVTrackMouse",
        TProps{{"OnMouseEnter", "QVTrackMouseEnter"},
               {"OnMouseLeave", "QVTrackMouseLeave"},
               {"Associate", "<"},
               {"Bounding", "False"},
               {"Left", "352"},
               {"Top", "152"}});
    // Creation order without pnlPanels (tracked only after "Add") and
    // pnlChildMessage (never tracked).
    for (const TObjectText& o : e)
        if (o.Parent == "FormDemo" && o.Name != "pnlPanels" && o.Name != "QVTrack") e.back().Items.push_back(o.Name);
    ASSERT_EQ(e.back().Items.size(), 39u);
    ExpectObjects(Resource("TFORMDEMO"), e);
}

TEST(HoverBenchLayout, AboutFormResourceHoldsTheDesignedLayout) {
    std::vector<TObjectText> e;
    e.push_back({"FormAbout", "TFormAbout", "",
                 TProps{{"Left", "203"},
                        {"Top", "105"},
                        {"BorderIcons", "[biSystemMenu]"},
                        {"BorderStyle", "bsSingle"},
                        {"Caption", "'QVTrackMouse About...'"},
                        {"ClientWidth", "208"},
                        {"ClientHeight", "117"},
                        {"Color", "4276545"},
                        {"Icon.Data", "{"},
                        {"Position", "poScreenCenter"},
                        {"PixelsPerInch", "96"},
                        {"TextHeight", "13"}} +
                     Font(-11, "clWindowText", "[]"),
                 {}});
    auto label = [&](const char* Name, int Top, int Height, const char* Align, std::string Caption, int FontHeight,
                     const char* FontColour, bool Transparent) {
        TProps p = Bounds(0, Top, 208, Height) + Font(FontHeight, FontColour, "[fsBold]") +
                   TProps{{"Align", Align}, {"Alignment", "taCenter"}, {"Caption", Caption}, {"ParentFont", "False"}};
        if (Transparent) p["Transparent"] = "True";
        e.push_back({Name, "TLabel", "FormAbout", p, {}});
    };
    label("Label1", 39, 23, "alTop", "'You are...'", -19, "clSilver", true);
    label("Label2", 0, 13, "alTop", "'QVTrackMouse component Demo'", -11, "clAqua", true);
    label("Label3", 13, 13, "alTop", "'(C) Orbelline Technologies'", -11, "clAqua", true);
    label("lblINOUT", 59, 58, "alBottom", "'\?\?\?'", -48, "clYellow", true);
    label("Label4", 26, 13, "alTop", "'orbelline@example.com'", -11, "clAqua", false);
    e.push_back({"QVTrackAbout", "TQVTrackMouse", "FormAbout",
                 TProps{{"OnMouseEnter", "QVTrackAboutMouseEnter"},
                        {"OnMouseLeave", "QVTrackAboutMouseLeave"},
                        {"Associate", "<"},
                        {"Bounding", "False"},
                        {"Left", "170"},
                        {"Top", "74"}},
                 {"Owner"}});
    ExpectObjects(Resource("TFORMABOUT"), e);
}

}  // namespace
