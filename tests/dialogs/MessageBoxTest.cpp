// Message boxes over a shown parent: what the parent is told and when, the
// one box at a time, and the box's place and buttons.
#include <gtest/gtest.h>

#include <X11/keysym.h>

#include "ControlKit.h"
#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "dialogs/FormMsgBox.h"

namespace nebulark {
namespace {

using Strings = std::vector<std::string>;

// The answers the parent heard.
Strings Answers() {
    Strings answers;
    for (const std::string& call : test::Calls())
        if (call.rfind("form.OnDialogResult", 0) == 0) answers.push_back(call.substr(20));
    return answers;
}

class MessageBox : public test::ControlBench {
protected:
    // Opens the box's window and gives it the keyboard.
    FormMsgBox* Opened(FormMsgBox* box) {
        EXPECT_TRUE(Mapped(box->GetWindow()));
        return box;
    }

    test::ProbeForm& parent = form;
};

TEST_F(MessageBox, AnOkBoxHoldsItsParentUntilItsOneAnswer) {
    FormMsgBox* box = Opened(showMessage(7, &parent, "Partita finita", "Nebulark"));
    EXPECT_EQ(Application::MessageBoxForm(), box);
    EXPECT_FALSE(parent.IsEnabled());
    EXPECT_TRUE(parent.IsBlocked());
    EXPECT_EQ(parent.GetModalChild(), box);
    // Both windows have a one-pixel border, so the inside of the box starts
    // at 1 + 25 + 1.
    EXPECT_EQ(box->GetPosition().x, 27) << "centred over the parent";
    ButtonCustom* ok = box->getFirstButton();
    EXPECT_EQ(ok->GetCaption(), "OK");
    EXPECT_EQ(ok->GetPosition().x, 130);
    EXPECT_EQ(box->getMessageCell()->GetSize().width, 230);
    EXPECT_FALSE(box->getSecondButton()->IsCreated()) << "NO is hidden in an OK box";

    Click(box->GetWindow(), 60, 124);
    EXPECT_TRUE(Answers().empty()) << "the hidden NO";
    Tap(XK_Tab);
    ASSERT_TRUE(ok->HasFocus());
    Tap(XK_Tab);
    ASSERT_TRUE(ok->HasFocus()) << "the hidden NO is no stop for Tab";
    Tap(XK_Escape);
    EXPECT_TRUE(Answers().empty());
    Tap(XK_Return);
    EXPECT_EQ(Answers(), Strings{"7,1"});
    EXPECT_TRUE(parent.IsEnabled());
    EXPECT_FALSE(parent.IsBlocked());
    EXPECT_EQ(parent.GetModalChild(), nullptr);
    EXPECT_EQ(box->GetWindow(), 0u);
    box->buttonClicked(ok);
    EXPECT_EQ(Answers().size(), 1u);
}

TEST_F(MessageBox, ASecondBoxReplacesTheFirstWithoutAWordToItsParent) {
    FormMsgBox* first = Opened(showQuestion(1, &parent, "Salvare?", "Domanda"));
    const Window firstWindow = first->GetWindow();
    FormMsgBox* second = Opened(showQuestion(2, &parent, "Davvero?", "Domanda"));
    EXPECT_EQ(Application::MessageBoxForm(), second);
    EXPECT_FALSE(test::WindowExists(driver.Connection(), firstWindow));
    EXPECT_TRUE(Answers().empty());
    EXPECT_FALSE(parent.IsEnabled());

    // The answer to the second opens a third from inside the click on NO.
    parent.dialogResult = [this](int32_t code, int32_t) {
        if (code == 2) showMessage(&parent, "Di nuovo", "Altro");
    };
    Click(second->GetWindow(), 60, 124);
    EXPECT_EQ(Answers(), Strings{"2,4"});
    FormMsgBox* third = static_cast<FormMsgBox*>(Application::MessageBoxForm());
    ASSERT_NE(third, nullptr);
    EXPECT_FALSE(parent.IsEnabled());

    // The window manager's close answers 0.
    Opened(third);
    driver.SendDeleteWindow(third->GetWindow());
    Settle();
    EXPECT_EQ(Answers(), (Strings{"2,4", "0,0"}));
    EXPECT_TRUE(parent.IsEnabled());
    Application::EndRun(&parent);
    EXPECT_EQ(Application::MessageBoxForm(), nullptr);
}

TEST_F(MessageBox, ABoxOverAParentInTheCornerStaysOnTheScreen) {
    parent.SetSize(100, 60);
    Settle();
    FormMsgBox* box = Opened(showMessage("Ciao", "Titolo"));
    EXPECT_EQ(box->getOwner(), &parent) << "no parent means the main form";
    XWindowAttributes attributes{};
    XGetWindowAttributes(driver.Connection(), box->GetWindow(), &attributes);
    EXPECT_EQ(attributes.x, 0);
    EXPECT_EQ(attributes.y, 0);
    EXPECT_EQ(driver.AtomListProperty(box->GetWindow(), "_NET_WM_WINDOW_TYPE"),
              std::vector<std::string>{"_NET_WM_WINDOW_TYPE_DIALOG"});
}

}  // namespace
}  // namespace nebulark
