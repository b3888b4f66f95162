// The sample forms: selection panels of each style, whose parts neither
// overlap nor leave their page or panel, and the other controls in place.
#include "controls/samples/control_samples.h"
#include "toolkit/application.h"
#include "toolkit/class_info.h"
#include "toolkit/paint/render.h"

#include <gtest/gtest.h>

namespace kvc::controls {
namespace {

bool Overlap(const TRect& a, const TRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
}

bool Inside(const TRect& inner, int width, int height) {
    return inner.Left >= 0 && inner.Top >= 0 && inner.Right <= width && inner.Bottom <= height;
}

class ControlSamplesTest : public ::testing::Test {
protected:
    void SetUp() override {
        RegisterControlSampleForms();
        form = Create<TfrmSelectPanels>(&Application());
        form->Show();
    }
    void TearDown() override {
        form->Free();
        Application().ProcessMessages();
    }
    std::vector<TSelectPanel*> Panels() const {
        return {form->spOrder, form->spDate, form->spWarehouse, form->spViewRange,
                form->spViewList};
    }
    TfrmSelectPanels* form = nullptr;
};

TEST_F(ControlSamplesTest, ThereIsAPanelOfEachStyle) {
    EXPECT_EQ(FindClass("TfrmSelectPanels"), &TfrmSelectPanels::StaticClassInfo());
    struct {
        TSelectPanel* panel;
        TSelectStyle style;
        bool vertical;
        bool rangeShown;
    } cases[] = {
        {form->spOrder, sp_Range, false, true},
        {form->spDate, sp_Range, true, true},
        {form->spWarehouse, sp_Discrete, false, false},
        {form->spViewRange, sp_UserChoice, false, true},
        {form->spViewList, sp_UserChoice, false, false},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(c.panel->GetStyle(), c.style) << c.panel->GetName();
        EXPECT_EQ(c.panel->GetUseVertical(), c.vertical) << c.panel->GetName();
        EXPECT_EQ(c.panel->RangePage().GetVisible(), c.rangeShown) << c.panel->GetName();
        EXPECT_EQ(c.panel->ListPage().GetVisible(), !c.rangeShown) << c.panel->GetName();
    }
    EXPECT_EQ(form->spWarehouse->Items().Count(), 4);
    EXPECT_EQ(form->spOrder->GetBeginText(), "WO-0501");
}

TEST_F(ControlSamplesTest, PartsStayInsideTheirPageAndPanelWithoutOverlapping) {
    for (TSelectPanel* panel : Panels()) {
        for (TWinControl* page : {static_cast<TWinControl*>(&panel->RangePage()),
                                  static_cast<TWinControl*>(&panel->ListPage())}) {
            if (!page->GetVisible()) {
                continue;
            }
            EXPECT_TRUE(Inside(page->BoundsRect(), panel->GetWidth(), panel->GetHeight()))
                << panel->GetName();
            std::vector<const TControl*> parts;
            for (int i = 0; i < page->ControlCount(); ++i) {
                if (page->Controls(i)->GetVisible()) {
                    parts.push_back(page->Controls(i));
                }
            }
            ASSERT_GE(parts.size(), 4u) << panel->GetName();
            for (std::size_t i = 0; i < parts.size(); ++i) {
                EXPECT_TRUE(Inside(parts[i]->BoundsRect(), page->GetWidth(), page->GetHeight()))
                    << panel->GetName() << " part " << i;
                for (std::size_t j = i + 1; j < parts.size(); ++j) {
                    EXPECT_FALSE(Overlap(parts[i]->BoundsRect(), parts[j]->BoundsRect()))
                        << panel->GetName() << " parts " << i << " and " << j;
                }
            }
        }
        const TSelCheckBox& box = panel->TypeCheckBox();
        if (box.GetVisible()) {
            EXPECT_FALSE(Overlap(box.BoundsRect(), panel->RangePage().BoundsRect()))
                << panel->GetName();
        }
    }
    for (std::size_t i = 0; i < Panels().size(); ++i) {
        for (std::size_t j = i + 1; j < Panels().size(); ++j) {
            EXPECT_FALSE(Overlap(Panels()[i]->BoundsRect(), Panels()[j]->BoundsRect()));
        }
        EXPECT_TRUE(
            Inside(Panels()[i]->BoundsRect(), form->GetClientWidth(), form->GetClientHeight()));
    }
}

TEST(KvControlsSampleTest, TheOtherControlsLoadInPlace) {
    RegisterControlSampleForms();
    auto* form = Create<TfrmKvControls>(&Application());
    form->Show();
    EXPECT_EQ(form->pgOptions->GetActivePage(), form->FindComponent("tsBasic"));
    EXPECT_EQ(form->pgOptions->PageForTab(1), form->FindComponent("tsSchedule"));
    const TLabel& hours = *form->edHours->EditLabel();
    EXPECT_EQ(hours.GetLeft() + hours.GetWidth() + 4, form->edHours->GetLeft());
    EXPECT_EQ(form->lblDays->GetLeft() + form->lblDays->GetWidth() + 4, form->seDays->GetLeft());
    EXPECT_TRUE(form->rbAll->GetChecked());
    EXPECT_EQ(form->rgPeriod->ButtonCount(), 5);
    EXPECT_TRUE(form->rgPeriod->Buttons(1)->GetChecked());
    auto bitmap = RenderToBitmap(*form);
    EXPECT_EQ(bitmap->GetWidth(), form->GetWidth());
    form->Free();
    Application().ProcessMessages();
}

TEST_F(ControlSamplesTest, TheFormRendersAtItsSize) {
    auto bitmap = RenderToBitmap(*form);
    EXPECT_EQ(bitmap->GetWidth(), form->GetWidth());
    EXPECT_EQ(bitmap->GetHeight(), form->GetHeight());
}

} // namespace
} // namespace kvc::controls
