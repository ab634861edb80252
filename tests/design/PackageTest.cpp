// The package loaded by a host as the designer loads it: registration only
// through Register, nothing left after unloading, loading again, and the
// package's own resources.
#include <gtest/gtest.h>

#include <fstream>
#include <string>

#include "framework/DesignIntf.h"
#include "framework/Forms.h"
#include "framework/Packages.h"
#include "framework/Resources.h"
#include "framework/Streaming.h"

using namespace vcl;

namespace {

struct TRegistries {
    size_t Pages, Editors;
    bool Class, Dialog;
    bool operator==(const TRegistries&) const = default;
};
TRegistries Now() {
    return TRegistries{PalettePages().size(), PropertyEditors().size(), GetClass("TQVTrackMouse") != nullptr,
                       FindResource("TQVCONTROLSLISTFORM").has_value()};
}

TEST(Package, RegistersOnlyThroughRegisterAndLeavesNothingWhenUnloadedTwice) {
    const TRegistries before = Now();
    EXPECT_EQ(before, (TRegistries{0, 0, false, false}));
    for (int round = 0; round < 2; ++round) {
        SCOPED_TRACE(round);
        TPackage* p = LoadPackage(QV_PACKAGE);
        EXPECT_EQ(Now(), (TRegistries{0, 0, false, true})) << "loading registers no component, only resources";
        p->Register();
        EXPECT_EQ(Now(), (TRegistries{1, 1, true, true}));
        // A form naming the component now reads.
        auto* form = new TForm(Application);
        form->SetDesigning(true);
        ReadComponentFromText("object F: TForm\n object T: TQVTrackMouse\n Associate = <\n item\n TheControl = Owner\n "
                              "end>\n end\nend\n",
                              "inline", form);
        EXPECT_NE(form->FindComponent("T"), nullptr);
        form->Free();
        UnloadPackage(p);
        EXPECT_EQ(Now(), before);
        EXPECT_TRUE(LoadedPackages().empty());
    }
}

std::vector<std::string> gUnitLog;
TEST(Package, UnitsAreInitializedInTableOrderAndFinalizedInReverse) {
    gUnitLog.clear();
    const TPackageUnit units[] = {
        {[] { gUnitLog.push_back("init A"); }, [] { gUnitLog.push_back("fini A"); }},
        {nullptr, [] { gUnitLog.push_back("fini B"); }},
        {[] { gUnitLog.push_back("init C"); }, nullptr},
    };
    PackageLoad(units, 3);
    PackageUnload(units, 3);
    EXPECT_EQ(gUnitLog, (std::vector<std::string>{"init A", "init C", "fini B", "fini A"}));
}

TEST(Package, CarriesItsResourcesUnderTheirTypesNamesAndLanguages) {
    TPackage* p = LoadPackage(QV_PACKAGE);
    std::vector<std::string> listed;
    for (const resfile::TResource& r : p->Resources())
        listed.push_back(resfile::TypeName(r.Type) + " " + (r.Name.IsName ? r.Name.Name : std::to_string(r.Name.Id)) +
                         " " + std::to_string(r.Language));
    std::sort(listed.begin(), listed.end());
    EXPECT_EQ(listed, (std::vector<std::string>{"BITMAP TQVTRACKMOUSE 1033", "GROUP_ICON MAINICON 1046", "ICON 1 1046",
                                                "RCDATA DESCRIPTION 0", "RCDATA PACKAGEINFO 0",
                                                "RCDATA PACKAGEOPTIONS 0", "RCDATA TQVCONTROLSLISTFORM 0",
                                                "VERSION 1 1033"}));
    auto data = [&](const char* Name) {
        const resfile::TResource* r =
            resfile::FindResource(p->Resources(), resfile::TResId::FromId(resfile::RT_RCDATA), resfile::TResId::FromName(Name));
        return r ? r->Data : std::string();
    };
    EXPECT_EQ(data("PACKAGEOPTIONS"), std::string("\x30\0\0\0", 4));
    EXPECT_EQ(data("DESCRIPTION"), resfile::ToUtf16LE("Orbelline VCL Components") + std::string(4, '\0'));
    const std::string info = data("PACKAGEINFO");
    ASSERT_EQ(info.size(), 136u);
    EXPECT_EQ(info.substr(0, 8), std::string("\x03\0\0\x40\x02\0\0\0", 8));
    EXPECT_EQ(info.substr(8, 15), std::string("\0VCLX35\0\0VCL35\0", 15));
    EXPECT_EQ(info.substr(23, 4), std::string("\x0a\0\0\0", 4));
    EXPECT_EQ(info.substr(27, 20), std::string("\0\0Sysinit\0\x0c\0Windows\0", 20));
    EXPECT_EQ(info.substr(103, 33), std::string("\0\0Qvtrackmouse\0\0\0Qvcomponents\0\0\0\0", 33));
    EXPECT_EQ(data("TQVCONTROLSLISTFORM").substr(0, 4), "TPF0");
    UnloadPackage(p);
}

TEST(Package, WhatIsNotAPackageOrHasNoRegisterIsSaidSo) {
    const std::string text = ::testing::TempDir() + "not-a-package.bpl";
    std::ofstream(text) << "just text\n";
    struct TCase {
        std::string File, Message;
    };
    for (const TCase& c : {TCase{text, "not a package"}, TCase{"/no/such/file.bpl", "no such file"},
                           TCase{std::string(QV_QVDESIGN), ".rsrc"}}) {
        SCOPED_TRACE(c.File);
        try {
            LoadPackage(c.File);
            ADD_FAILURE() << "loaded";
        } catch (const EPackageError& e) {
            EXPECT_NE(e.Message().find(c.File + ":"), std::string::npos) << e.Message();
            EXPECT_NE(e.Message().find(c.Message), std::string::npos) << e.Message();
        }
    }
    TPackage* p = LoadPackage(QV_NOREGISTER_PACKAGE);
    EXPECT_FALSE(p->HasRegister());
    EXPECT_THROW(p->Register(), EPackageError);
    EXPECT_TRUE(FindResource("DESCRIPTION").has_value());
    UnloadPackage(p);
    EXPECT_FALSE(FindResource("DESCRIPTION").has_value());
    EXPECT_TRUE(PalettePages().empty());
}

}  // namespace
