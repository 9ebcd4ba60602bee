// The about box over a shown owner: its layout, the keys and the window
// manager that close it, and the programs its links start, through stand-ins
// first on PATH that record their arguments.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>
#include <unistd.h>

#include <algorithm>

#include "ControlKit.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "dialogs/FormAbout.h"
#include "images/RgbBuffer.h"
#include "support/ProcessProbe.h"
#include "support/StubProgram.h"
#include "util/ChildProcesses.h"
#include "widgets/XImageConversion.h"

namespace nebulark {
namespace {

using Runs = std::vector<std::vector<std::string>>;

constexpr uint32_t kBlack = 0x000000, kWhite = 0xFFFFFF, kBlue = 0x0000FF, kLogo = 0x20C040;
constexpr const char* kAddress = "https://www.nebulark.example";

int closings = 0;

XImage* Plain(Form& form, int w, int h, uint32_t colour) {
    RgbBuffer rgb = RgbBuffer::allocate(w, h);
    for (size_t i = 0; i + 2 < rgb.size(); i += 3)
        for (size_t c = 0; c < 3; ++c)
            rgb.data()[i + c] = static_cast<unsigned char>(colour >> (16 - 8 * c));
    return createXImageFromRgb(&form, rgb);
}

// With a 64 × 48 logo the text column starts at x = 109 and is 481 wide; the
// links lie along y = 68 to 79, the web address from x = 109 and the mail
// address from x = 319.
class AboutBox : public test::ControlBench {
protected:
    void SetUp() override {
        ControlBench::SetUp();
        closings = 0;
        logo = Plain(form, 64, 48, kLogo);
    }
    void TearDown() override {
        about.reset();
        destroyXImage(logo);
        // Every child the links started has ended and been reaped.
        EXPECT_TRUE(test::WaitFor([] {
            reapFinishedChildren();
            return test::ZombieChildCount() == 0;
        }));
    }

    FormAbout* Open(const std::string& webAddress) {
        about = std::make_unique<FormAbout>(&form);
        about->setLogo(logo, 64, 48);
        about->setHeadingText("Nebulark");
        about->setSubheadingText("Versione 1.0");
        about->setDescriptionText("Uno sparatutto spaziale.");
        about->setWebAddress(webAddress);
        about->setOnClosed([](GUIElement*) { ++closings; });
        about->Show();
        EXPECT_TRUE(Mapped(about->GetWindow()));
        return about.get();
    }
    std::vector<uint32_t> BoxPixels(int x, int y, int w, int h) {
        XSync(screen.GetDisplay(), False);
        return driver.Pixels(about->GetWindow(), x, y, w, h);
    }
    bool Shows(int x, int y, int w, int h, uint32_t colour) {
        const std::vector<uint32_t> pixels = BoxPixels(x, y, w, h);
        return std::find(pixels.begin(), pixels.end(), colour) != pixels.end();
    }
    bool Closed() const { return closings == 1 && about->GetWindow() == 0 && form.IsEnabled(); }

    std::unique_ptr<FormAbout> about;
    XImage* logo = nullptr;
};

TEST_F(AboutBox, ItsLayoutHoldsTheOwnerUntilTheWindowManagerClosesIt) {
    Open(kAddress);
    EXPECT_EQ(driver.StringProperty(about->GetWindow(), XA_WM_NAME), "Info...");
    EXPECT_EQ(driver.AtomListProperty(about->GetWindow(), "_NET_WM_WINDOW_TYPE"),
              std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
    EXPECT_FALSE(form.IsEnabled());
    EXPECT_TRUE(form.IsBlocked());
    EXPECT_EQ(form.GetModalChild(), about.get());

    // The logo 5 pixels inside its sunken panel at (10, 23), 84 × 137.
    EXPECT_EQ(BoxPixels(15, 28, 1, 1)[0], kLogo);
    EXPECT_EQ(BoxPixels(78, 75, 1, 1)[0], kLogo);
    EXPECT_EQ(BoxPixels(10, 23, 1, 1)[0], kBlack);
    EXPECT_EQ(BoxPixels(93, 159, 1, 1)[0], kWhite);
    EXPECT_TRUE(Shows(109, 17, 481, 25, kWhite)) << "the heading";
    EXPECT_TRUE(Shows(109, 68, 200, 12, kBlue)) << "the web link";
    EXPECT_TRUE(Shows(319, 68, 150, 12, kBlue)) << "the mail link";
    EXPECT_EQ(about->getMailLinkCell()->GetCaption(), "info@nebulark.example");
    EXPECT_EQ(BoxPixels(109, 95, 1, 1)[0], kBlack) << "the description's bevel";
    EXPECT_EQ(about->getOkButton()->GetPosition().x, 309);
    EXPECT_EQ(about->getOkButton()->GetPosition().y, 173);

    driver.SendDeleteWindow(about->GetWindow());
    Settle();
    EXPECT_TRUE(Closed());
    EXPECT_FALSE(form.IsBlocked());
    EXPECT_EQ(form.GetModalChild(), nullptr);
}

TEST_F(AboutBox, ReturnEscapeAndDeleteCloseItAndOtherKeysReachNothing) {
    // The owner's focused check box does not hear what is typed into the box.
    CheckBox box(&form, "Suono");
    box.SetPosition(10, 10);
    box.Show();
    Click(form.GetWindow(), 20, 20);
    ASSERT_TRUE(box.isChecked());
    for (const KeySym key : {XK_Return, XK_Escape, XK_Delete}) {
        closings = 0;
        Open(kAddress);
        Tap(XK_space);
        Tap(XK_a);
        Tap(XK_Tab);
        EXPECT_EQ(closings, 0);
        EXPECT_TRUE(box.isChecked());
        Tap(key);
        EXPECT_TRUE(Closed()) << test::KeyName(key);
        about->buttonClicked(about->getOkButton());
        EXPECT_EQ(closings, 1) << "a box closes once";
    }
}

TEST_F(AboutBox, LinksHandTheirAddressesToTheProgramsAsOneLiteralArgumentEach) {
    test::StubProgram browser(dir.Path() + "/bin", "firefox");
    test::StubProgram mailer(dir.Path() + "/bin", "thunderbird");
    const std::string hostile = "https://www.x'y;z\"$(touch pwned)`touch pwned`.it/a b";
    Open(hostile);
    Click(about->GetWindow(), 130, 73);
    Click(about->GetWindow(), 130, 73);
    about->setWebAddress(kAddress);  // too late: the links keep what they show
    Click(about->GetWindow(), 340, 73);
    EXPECT_TRUE(test::WaitFor([&] { return browser.Runs().size() == 2; }));
    EXPECT_TRUE(test::WaitFor([&] { return mailer.Runs().size() == 1; }));
    EXPECT_EQ(browser.Runs(), (Runs{{hostile}, {hostile}}));
    EXPECT_EQ(mailer.Runs(),
              (Runs{{"-compose", "to=info@x'y;z\"$(touch pwned)`touch pwned`.it/a b"}}));
    EXPECT_NE(access("pwned", F_OK), 0);
}

TEST_F(AboutBox, AWebAddressWithoutAHostLeavesTheMailLinkEmptyAndIdle) {
    test::StubProgram mailer(dir.Path() + "/bin", "thunderbird");
    Open("http://a.it");
    EXPECT_EQ(about->getMailLinkCell()->GetCaption(), "");
    const size_t children = test::ChildrenOf(getpid()).size();
    Click(about->GetWindow(), 340, 73);
    EXPECT_EQ(test::ChildrenOf(getpid()).size(), children) << "nothing started";
    Tap(XK_Escape);
    EXPECT_TRUE(Closed());
}

}  // namespace
}  // namespace nebulark
