// HoverBench's forms as the program builds them from its compiled resources,
// held against the form files they are compiled from: each form is built
// twice, from the resource and from the file, and both are written back as
// text. What the demo relies on beyond the files themselves follows.
#include <gtest/gtest.h>

#include <vector>

#include "ControlsFixture.h"
#include "ProgramFixture.h"
#include "demo/TrackAbout.h"
#include "demo/TrackForm.h"
#include "framework/FormFiles.h"
#include "framework/Resources.h"
#include "framework/Streaming.h"

using namespace vcl;

namespace {

class HoverBenchLayout : public vcltest::DesktopTest {
protected:
    // A form of class T built by its constructor, from its compiled resource
    // Name or, with File, from that form file in the resource's place;
    // written back as text.
    template <class T>
    std::string Built(const char* Name, const std::string& File = {}) {
        const std::string_view compiled = *FindResource(Name);
        if (!File.empty()) RegisterResourceData(Name, formfile::TextToBinary(vcltest::Slurp(File), File), this);
        T* form = nullptr;
        Application->CreateForm(form);
        UnregisterResources(this);
        RegisterResource(Name, reinterpret_cast<const unsigned char*>(compiled.data()), compiled.size());
        const std::string text = WriteComponentToText(form);
        form->Free();  // so that the next one keeps the name
        return text;
    }
};

TEST_F(HoverBenchLayout, CompiledFormsAreTheFormFilesTheyComeFrom) {
    EXPECT_EQ(Built<TFormDemo>("TFORMDEMO"), Built<TFormDemo>("TFORMDEMO", QV_DEMO_DIR "/TrackForm.dfm"));
    EXPECT_EQ(Built<TFormAbout>("TFORMABOUT"), Built<TFormAbout>("TFORMABOUT", QV_DEMO_DIR "/TrackAbout.dfm"));
}

TEST_F(HoverBenchLayout, TrackersWatchEveryControlOnTheirFormButTheHiddenPanelInCreationOrder) {
    Application->CreateForm(FormDemo);
    Application->CreateForm(FormAbout);
    std::vector<TControl*> expected, tracked;
    for (int i = 0; i < FormDemo->ComponentCount(); ++i)
        if (auto* c = dynamic_cast<TControl*>(FormDemo->Components(i));
            c && c->Parent() == FormDemo && c != FormDemo->pnlPanels)
            expected.push_back(c);
    for (int i = 0; i < FormDemo->QVTrack->TrackedControls()->Count(); ++i)
        tracked.push_back(static_cast<TControl*>(FormDemo->QVTrack->TrackedControls()->Get(i)));
    EXPECT_EQ(tracked.size(), 39u);
    EXPECT_EQ(tracked, expected) << "pnlPanels is tracked only after Add, pnlChildMessage never";
    ASSERT_EQ(FormAbout->QVTrackAbout->TrackedControls()->Count(), 1);
    EXPECT_EQ(FormAbout->QVTrackAbout->TrackedControls()->Get(0), static_cast<TControl*>(FormAbout));
    FormDemo = nullptr;
    FormAbout = nullptr;
}

}  // namespace
