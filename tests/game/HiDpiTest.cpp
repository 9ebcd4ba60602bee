// The game and the toolkit on a 3840 × 2160 screen whose desktop asks for
// 200 % (Xft.dpi: 192): every window is twice as large each way and shows the
// picture of scale 1 with every pixel a 2 × 2 block, and input lands where
// things are shown.
#include "GameStage.h"

#include <X11/keysym.h>

#include <cstdlib>

#include "WidgetKit.h"
#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "dialogs/FormMsgBox.h"
#include "gallery/GalleryForm.h"
#include "game/KeyActions.h"
#include "support/XvfbEnvironment.h"

namespace nebulark::test {
namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;

Size WindowSize(Window window) {
    Window root = 0;
    int x = 0, y = 0;
    unsigned w = 0, h = 0, border = 0, depth = 0;
    XGetGeometry(XvfbEnvironment::Driver().Connection(), window, &root, &x, &y, &w, &h, &border,
                 &depth);
    return Size{static_cast<int32_t>(w), static_cast<int32_t>(h)};
}

// Clicks the middle of a control as it is shown in its form's window.
void ClickShown(Form& form, GUIElement* control) {
    const int scale = form.GetScale();
    const Point at = static_cast<Child*>(control)->AbsolutePosition(control->GetPosition().x,
                                                                    control->GetPosition().y);
    XvfbEnvironment::Driver().Click(form.GetWindow(), (at.x + control->GetWidth() / 2) * scale,
                                    (at.y + control->GetHeight() / 2) * scale);
}

class HiDpi : public GameOverStage {
protected:
    // The window read back, halved, must be the frame buffer, and every 2 × 2
    // block of it one colour; answers the first place where it is not.
    std::string WhereTheWindowIsNotTheFrameInBlocks() {
        Settle();
        const std::vector<uint32_t> shown =
            driver.Pixels(game->GetWindow(), 0, 0, 2 * kWidth, 2 * kHeight);
        if (shown.size() != size_t{4} * kWidth * kHeight) return "the window cannot be read";
        const auto at = [&](int x, int y) { return shown[size_t(y) * 2 * kWidth + size_t(x)]; };
        for (int y = 0; y < kHeight; ++y)
            for (int x = 0; x < kWidth; ++x) {
                const uint32_t pixel = at(2 * x, 2 * y);
                if (pixel != at(2 * x + 1, 2 * y) || pixel != at(2 * x, 2 * y + 1) ||
                    pixel != at(2 * x + 1, 2 * y + 1))
                    return "block " + std::to_string(x) + "," + std::to_string(y) + " is mixed";
                if (pixel != FramePixel(game->GetScreenBuffer(), x, y))
                    return "block " + std::to_string(x) + "," + std::to_string(y) +
                           " is not the frame's pixel";
            }
        return "";
    }
};

TEST_F(HiDpi, TheGameShowsTheTitleAndALevelInTwoByTwoBlocksAndGStartsIt) {
    EXPECT_EQ(screen->GetScale(), 2);
    EXPECT_EQ(WindowSize(game->GetWindow()).width, 2 * kWidth);
    EXPECT_EQ(WindowSize(game->GetWindow()).height, 2 * kHeight);
    XSizeHints hints{};
    ASSERT_TRUE(driver.NormalHints(game->GetWindow(), hints));
    EXPECT_EQ(hints.min_width, 2 * kWidth);
    EXPECT_EQ(hints.max_height, 2 * kHeight);
    EXPECT_EQ(game->GetClientWidth(), kWidth);
    EXPECT_EQ(game->GetClientHeight(), kHeight);
    EXPECT_EQ(WhereTheWindowIsNotTheFrameInBlocks(), "") << "the title";

    driver.Focus(game->GetWindow());
    driver.KeyTap(XK_g);
    Settle();
    ASSERT_EQ(game->state, kPlaying);
    for (int tick = 0; tick < 60; ++tick)
        game->OnTick();
    EXPECT_EQ(WhereTheWindowIsNotTheFrameInBlocks(), "") << "a level in play";

    // A part of the window covered and uncovered is shown again.
    XUnmapWindow(driver.Connection(), game->GetWindow());
    XMapWindow(driver.Connection(), game->GetWindow());
    EXPECT_EQ(WhereTheWindowIsNotTheFrameInBlocks(), "") << "mapped again";
}

TEST_F(HiDpi, TheNameFormTakesATypedNameAndAClickOnOkWhereItIsShown) {
    LoseLastLife();
    EXPECT_EQ(WindowSize(form->GetWindow()).width, 2 * form->GetSize().width);
    Type("MARIO", false);
    ClickShown(*form, form->getOkButton());
    ASSERT_TRUE(PumpUntil(screen->GetDisplay(), [this] { return game->state == kResultStored; }));
    EXPECT_EQ(Table(), "00000350 MARIO        Level 3\n");
}

TEST(HiDpiGallery, ACheckBoxAndAMessageBoxAreClickedWhereTheyAreShown) {
    TempDir dir;
    nebulark::Screen screen("gallery");
    GalleryForm gallery(&screen);
    gallery.Show();
    ASSERT_TRUE(PumpUntil(screen.GetDisplay(), [&] { return gallery.IsWindowMapped(); }));
    Drain(screen.GetDisplay());
    EXPECT_EQ(WindowSize(gallery.GetWindow()).width, 2 * gallery.GetSize().width);

    CheckBox* box = nullptr;
    for (GUIElement* element : Application::Elements())
        if (box == nullptr) box = dynamic_cast<CheckBox*>(element);
    ASSERT_NE(box, nullptr);
    ASSERT_FALSE(box->isChecked());
    ClickShown(gallery, box);
    ASSERT_TRUE(PumpUntil(screen.GetDisplay(), [&] { return box->isChecked(); }));

    ButtonCustom* question = nullptr;
    for (GUIElement* element : Application::Elements())
        if (auto* button = dynamic_cast<ButtonCustom*>(element))
            if (button->GetCaption() == "Question") question = button;
    ASSERT_NE(question, nullptr);
    ClickShown(gallery, question);
    auto* asked = static_cast<FormMsgBox*>(Application::MessageBoxForm());
    ASSERT_TRUE(PumpUntil(screen.GetDisplay(), [&] {
        asked = static_cast<FormMsgBox*>(Application::MessageBoxForm());
        return asked != nullptr && asked->IsWindowMapped();
    }));
    Drain(screen.GetDisplay());
    ClickShown(*asked, asked->getSecondButton());
    EXPECT_TRUE(PumpUntil(screen.GetDisplay(), [] {
        for (GUIElement* element : Application::Elements())
            if (auto* cell = dynamic_cast<CellControl*>(element))
                if (cell->GetCaption() == "Question: NO") return true;
        return false;
    }));
}

// NEBULARK_SCALE set before the game starts, and the window it gives.
struct Setting {
    const char* value;
    int width;
    bool logged;
};

void PrintTo(const Setting& setting, std::ostream* out) {
    *out << "NEBULARK_SCALE=" << setting.value;
}

class HiDpiSetting : public HiDpi, public ::testing::WithParamInterface<Setting> {
protected:
    void SetUp() override {
        setenv("NEBULARK_SCALE", GetParam().value, 1);
        HiDpi::SetUp();
    }
    void TearDown() override {
        HiDpi::TearDown();
        unsetenv("NEBULARK_SCALE");
    }
};

TEST_P(HiDpiSetting, GivesTheWindowItsSizeOrIsLoggedAndIgnored) {
    const Size size = WindowSize(game->GetWindow());
    EXPECT_EQ(size.width, GetParam().width);
    EXPECT_EQ(size.height, GetParam().width * kHeight / kWidth);
    const bool logged =
        TempDir::Read("log.txt").find("NEBULARK_SCALE non valida") != std::string::npos;
    EXPECT_EQ(logged, GetParam().logged);
}

INSTANTIATE_TEST_SUITE_P(Values, HiDpiSetting,
                         ::testing::Values(Setting{"1", 800, false}, Setting{"3", 2400, false},
                                           Setting{"9", 1600, true}, Setting{"x", 1600, true}),
                         [](const auto& info) { return std::string("Set") + info.param.value; });

}  // namespace
}  // namespace nebulark::test

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    nebulark::test::AddXvfbEnvironment({3840, 2160, "Xft.dpi: 192\n"});
    return RUN_ALL_TESTS();
}
