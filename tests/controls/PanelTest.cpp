// The panel on a shown form: frames and caption read back pixel by pixel, its
// children shown, painted and hidden with it, and the event loop searching
// into it for clicks and the Tab order.
#include <X11/keysym.h>

#include "ControlFixture.h"
#include "controls/PanelChildren.h"
#include "controls/ScrollBar.h"
#include "controls/Slider.h"

namespace nebulark {
namespace {

using test::kBlack;
using test::kGrey;
using test::kWhite;
using Row = std::vector<uint32_t>;

constexpr uint32_t kFace = 0x3060A0, kChildColour = 0x800000;

// n pixels of one colour, the last of them in another.
Row Edge(int n, uint32_t colour, uint32_t last) {
    Row row(static_cast<size_t>(n), colour);
    row.back() = last;
    return row;
}

class PanelOnForm : public test::ControlFixture {
protected:
    // A 40 × 30 panel at (x, 10) in the face colour.
    void Place(PanelChildren& panel, int x) {
        panel.SetPosition(x, 10);
        panel.SetSize(40, 30);
        panel.SetBackColor(kFace);
        panel.Show();
    }
    // The outermost pixels: top row, left column, right column, bottom row.
    std::vector<Row> Edges(int x) const {
        return {Pixels(x, 10, 40, 1), Pixels(x, 10, 1, 30), Pixels(x + 39, 10, 1, 30),
                Pixels(x, 39, 40, 1)};
    }
    // The top and left lines are drawn first, so the right and bottom lines
    // take the two corners they share with them.
    static std::vector<Row> Bevel(uint32_t topLeft, uint32_t bottomRight) {
        return {Edge(40, topLeft, bottomRight), Edge(30, topLeft, bottomRight),
                Row(30, bottomRight), Row(40, bottomRight)};
    }
};

TEST_F(PanelOnForm, FramesAreSunkenRaisedOrFlatAndAnUnframedPanelShowsOnlyItsFace) {
    PanelChildren sunken(&form), raised(&form), flat(&form), plain(&form);
    sunken.setFramed(true);
    raised.setSunken(false);
    flat.setFlatFrame(true);
    plain.SetCaption("Ab");
    Place(sunken, 10);
    Place(raised, 60);
    Place(flat, 110);
    Place(plain, 160);
    EXPECT_TRUE(raised.isFramed());
    EXPECT_EQ(Edges(10), Bevel(kBlack, kWhite));
    EXPECT_EQ(Edges(60), Bevel(kWhite, kBlack));
    EXPECT_EQ(Edges(110), Bevel(kBlack, kBlack));
    EXPECT_EQ(Pixel(30, 25), kFace);

    const int captionInk = Count(160, 10, 39, 29, kBlack);
    EXPECT_GT(captionInk, 0);
    EXPECT_EQ(Count(160, 10, 39, 29, kFace) + captionInk, 39 * 29);
    EXPECT_EQ(Count(160, 10, 4, 29, kBlack), 0);  // the caption starts 4 pixels in

    // A panel never shown has nothing to erase when it is hidden.
    form.SetBackColor(kFace);
    PanelChildren unshown(&form);
    unshown.Hide();
    EXPECT_EQ(Pixel(110, 120), kGrey);  // inside its default place
}

// Not painted by its panel: it counts the paints it is asked for.
class UnpaintedProbe : public test::ProbeControl {
public:
    explicit UnpaintedProbe(GUIElement* container)
        : ProbeControl(container, "unpainted", 150, 10, 20, 20) {
        ownerPainted = false;
    }
    void Paint() override { ++paints; }
    int paints = 0;
};

TEST_F(PanelOnForm, ChildrenAreShownPaintedInTheChildColourAndHiddenWithThePanel) {
    PanelChildren panel(&form);  // at (20, 40); the slider's track runs along y = 85
    Slider slider(&panel, false, 0, 10);
    UnpaintedProbe unpainted(&panel);
    slider.SetPosition(10, 20);
    panel.SetPosition(20, 40);
    panel.SetSize(200, 120);
    panel.SetBackColor(kFace);
    panel.setChildBackColor(kChildColour);
    panel.Show();
    EXPECT_EQ(Pixel(54, 85), kBlack);
    EXPECT_EQ(Pixel(64, 70), kChildColour);
    EXPECT_EQ(Pixel(200, 150), kFace);
    EXPECT_TRUE(unpainted.IsVisible());
    panel.Paint();
    EXPECT_EQ(unpainted.paints, 0);

    // Resized, the panel paints its background and then its children again.
    panel.SetSize(240, 140);
    EXPECT_EQ(Pixel(54, 85), kBlack);
    EXPECT_EQ(Pixel(64, 70), kChildColour);
    EXPECT_EQ(Pixel(250, 170), kFace);

    panel.Hide();
    EXPECT_FALSE(slider.IsCreated());
    EXPECT_FALSE(unpainted.IsVisible());
    EXPECT_EQ(Count(20, 40, 240, 140, kGrey), 240 * 140);
}

TEST_F(PanelOnForm, ClicksAndTabReachTheControlsInsideAPanel) {
    test::ProbeControl first(&form, "first", 5, 5, 20, 20);
    PanelChildren panel(&form);
    Slider slider(&panel, false, 0, 10);  // at (70, 50) on the form: ticks at x = 90 + 8 × value
    ScrollBar bar(&panel, 0, 100);
    test::ProbeControl last(&form, "last", 5, 170, 20, 20);
    panel.SetPosition(60, 40);
    panel.SetSize(200, 120);
    slider.SetPosition(10, 10);
    bar.SetPosition(10, 70);
    first.Show();
    panel.Show();
    last.Show();

    // The control gets the point in form coordinates and keeps the focus on
    // the release.
    Click(115, 60);
    EXPECT_EQ(slider.getValue(), 3);
    EXPECT_EQ(Application::FocusedElement(), &slider);
    Click(200, 140);  // on the panel only: nobody
    EXPECT_EQ(Application::FocusedElement(), nullptr);

    for (GUIElement* next : std::vector<GUIElement*>{&first, &slider, &bar, &last, &first}) {
        Key(XK_Tab);
        EXPECT_EQ(Application::FocusedElement(), next);
    }
}

}  // namespace
}  // namespace nebulark
