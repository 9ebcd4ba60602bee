// The gallery on the private server: each control drives the one it is
// wired to, and the buttons open the dialogs, through XTEST input.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "ControlKit.h"
#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/CheckBox.h"
#include "controls/ImageFrame.h"
#include "controls/OptionBox.h"
#include "controls/ProgressBar.h"
#include "controls/ScrollBar.h"
#include "controls/Slider.h"
#include "dialogs/FormAbout.h"
#include "dialogs/FormMsgBox.h"
#include "gallery/GalleryForm.h"

namespace nebulark {
namespace {

// The first element of the gallery of type T that passes the test.
template <class T>
T* Find(bool (*test)(T*) = [](T*) { return true; }) {
    for (GUIElement* element : Application::Elements())
        if (auto* found = dynamic_cast<T*>(element); found != nullptr && test(found)) return found;
    return nullptr;
}

ButtonCustom* ButtonNamed(const char* caption) {
    for (GUIElement* element : Application::Elements())
        if (auto* button = dynamic_cast<ButtonCustom*>(element))
            if (button->GetCaption() == caption) return button;
    return nullptr;
}

class Gallery : public test::ControlBench {
protected:
    void SetUp() override {
        ControlBench::SetUp();
        gallery.Show();
        ASSERT_TRUE(Mapped(gallery.GetWindow()));
    }
    // Clicks a control of a form a few pixels inside its top-left corner.
    void ClickOn(Form& on, GUIElement* control, int dx = 5, int dy = 5) {
        const Point at = static_cast<Child*>(control)->AbsolutePosition(control->GetPosition().x,
                                                                        control->GetPosition().y);
        Click(on.GetWindow(), at.x + dx, at.y + dy);
    }
    std::string ChoicesLine() {
        return Find<CellControl>(
                   [](CellControl* cell) { return cell->GetCaption().rfind("Sound", 0) == 0; })
            ->GetCaption();
    }

    GalleryForm gallery{&screen};
};

TEST_F(Gallery, ItsWindowShowsTheProgramIcon) {
    const test::XDriver& driver = test::XvfbEnvironment::Driver();
    EXPECT_EQ(test::VisibleIconSides(driver.Icons(gallery.GetWindow())),
              (std::vector<int>{16, 32, 48, 128}));
}

TEST_F(Gallery, EachControlDrivesItsPartner) {
    Slider* slider = Find<Slider>();
    ProgressBar* bar = Find<ProgressBar>();
    ClickOn(gallery, slider, 60, 20);
    Tap(XK_Right);
    EXPECT_EQ(bar->getValue(), slider->getValue());

    ScrollBar* scroll = Find<ScrollBar>();
    ClickOn(gallery, scroll, scroll->GetWidth() - 5, 10);  // the right arrow: one page on
    EXPECT_EQ(Find<ImageFrame>()->getColumn(), 1);

    EXPECT_EQ(ChoicesLine(), "Sound off, level Normal (2)");
    ClickOn(gallery, Find<CheckBox>());
    ClickOn(gallery, Find<OptionBox>(), 5, 2 * OptionBox::kRowHeight + 5);
    EXPECT_EQ(ChoicesLine(), "Sound on, level Hard (3)");
}

TEST_F(Gallery, ItsButtonsOpenTheDialogsAndHearTheirAnswers) {
    ClickOn(gallery, ButtonNamed("Question"));
    auto* question = static_cast<FormMsgBox*>(Application::MessageBoxForm());
    ASSERT_NE(question, nullptr);
    ASSERT_TRUE(Mapped(question->GetWindow()));
    ClickOn(*question, question->getSecondButton());
    EXPECT_NE(
        Find<CellControl>([](CellControl* cell) { return cell->GetCaption() == "Question: NO"; }),
        nullptr);

    ClickOn(gallery, ButtonNamed("About..."));
    FormAbout* about = Find<FormAbout>();
    ASSERT_NE(about, nullptr);
    EXPECT_FALSE(gallery.IsEnabled());
    ASSERT_TRUE(Mapped(about->GetWindow()));
    Tap(XK_Escape);
    EXPECT_TRUE(gallery.IsEnabled());

    ClickOn(gallery, ButtonNamed("Quit"));
    EXPECT_TRUE(Application::QuitRequested());
}

}  // namespace
}  // namespace nebulark
