// The sample controls form, shown and rendered, with its pixels read in each
// control's own coordinates: the base of the tests of what controls paint.
#pragma once

#include "toolkit/application.h"
#include "toolkit/paint/render.h"
#include "toolkit/testing/sample_forms.h"

#include <gtest/gtest.h>
#include <memory>

namespace kvc::testing {

class PaintedControlsTest : public ::testing::Test {
protected:
    void SetUp() override {
        form = MakeUnique<TfrmPaintControls>();
        form->Show();
    }
    void TearDown() override {
        form.reset();
        Application().ProcessMessages();
    }
    void Render() { picture = RenderToBitmap(*form); }
    // The colour at a point of a control, in its own coordinates.
    TColor At(const TControl& control, int x, int y) const {
        for (const TControl* c = &control; c->Parent() != nullptr; c = c->Parent()) {
            x += c->GetLeft();
            y += c->GetTop();
        }
        TPoint origin = ClientOrigin(*form);
        return TColor(picture->Pixel(x + origin.X, y + origin.Y) & 0xFFFFFF);
    }
    // Whether any pixel of the control's rectangle r has the colour.
    bool Has(const TControl& control, const TRect& r, TColor color) const {
        for (int y = r.Top; y < r.Bottom; ++y) {
            for (int x = r.Left; x < r.Right; ++x) {
                if (At(control, x, y) == ColorToRGB(color)) {
                    return true;
                }
            }
        }
        return false;
    }

    TOwned<TfrmPaintControls> form;
    std::unique_ptr<TBitmap> picture;
};

} // namespace kvc::testing
