// The player-name form over a shown owner, typed into through XTEST: the
// name it leaves, how it is confirmed or refused, and how it closes.
#include <gtest/gtest.h>

#include <X11/Xatom.h>
#include <X11/keysym.h>

#include "ControlKit.h"
#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/TextBoxCustom.h"
#include "dialogs/FormNamePlayer.h"

namespace nebulark {
namespace {

int closings = 0;
std::string nameAtClosing;

// What an owner's onClosed does: read the name the form left.
void Closed(GUIElement*) {
    ++closings;
    nameAtClosing = FormNamePlayer::playerName();
}

class NameForm : public test::ControlBench {
protected:
    void SetUp() override {
        ControlBench::SetUp();
        closings = 0;
        nameAtClosing = "unset";
        dialog = std::make_unique<FormNamePlayer>(&form, nullptr, "Classifica");
        dialog->setOnClosed(Closed);
        dialog->Show();
        ASSERT_TRUE(Mapped(dialog->GetWindow()));
    }

    std::unique_ptr<FormNamePlayer> dialog;
};

TEST_F(NameForm, ItsLayoutHoldsTheOwnerAndGivesTheBoxTheKeyboard) {
    EXPECT_EQ(driver.StringProperty(dialog->GetWindow(), XA_WM_NAME), "Classifica");
    EXPECT_TRUE(dialog->IsDialog());
    EXPECT_EQ(dialog->GetSize().width, 250);
    EXPECT_EQ(dialog->GetSize().height, 115);
    EXPECT_EQ(dialog->getLabel()->GetPosition().y, 15);
    EXPECT_EQ(dialog->getLabel()->GetSize().width, 250);
    EXPECT_EQ(dialog->getTextBox()->GetPosition().x, 62);
    EXPECT_EQ(dialog->getTextBox()->GetSize().width, 125);
    EXPECT_EQ(dialog->getTextBox()->getMaxLength(), 10);
    EXPECT_EQ(dialog->getOkButton()->GetPosition().x, 85);
    EXPECT_EQ(dialog->getOkButton()->GetPosition().y, 80);
    EXPECT_EQ(Application::FocusedElement(), dialog->getTextBox());
    EXPECT_FALSE(form.IsEnabled());
    EXPECT_EQ(form.GetModalChild(), dialog.get());
    EXPECT_EQ(dialog->getOwner(), &form);

    // A form deleted while open leaves its owner pointing at nothing.
    dialog.reset();
    EXPECT_EQ(form.GetModalChild(), nullptr);
}

TEST_F(NameForm, ReturnConfirmsTheNameWithoutItsTrailingBlanks) {
    Type(" MARIO   ");
    EXPECT_EQ(closings, 0);
    Type("\r");
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(nameAtClosing, " MARIO");
    EXPECT_EQ(FormNamePlayer::playerName(), " MARIO");
    EXPECT_EQ(dialog->GetWindow(), 0u);
    EXPECT_TRUE(form.IsEnabled());
    EXPECT_EQ(form.GetModalChild(), nullptr);

    // A new form starts without a name.
    FormNamePlayer next(&form, nullptr, "Classifica");
    EXPECT_EQ(FormNamePlayer::playerName(), "");
}

TEST_F(NameForm, ABlankNameBeepsAndTheFormStays) {
    test::BeepCounter beeps(dir);
    Type("   \r");
    EXPECT_TRUE(beeps.Heard(1));
    EXPECT_EQ(closings, 0);
    EXPECT_NE(dialog->GetWindow(), 0u);
    EXPECT_EQ(Application::FocusedElement(), dialog->getTextBox());

    // Return on the focused OK button reaches the button and then the form:
    // the name is taken once.
    Type("LUIGI");
    Tap(XK_Tab);
    ASSERT_EQ(Application::FocusedElement(), dialog->getOkButton());
    Type("\r");
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(nameAtClosing, "   LUIGI") << "leading blanks stay";
}

TEST_F(NameForm, DeleteConfirmsAndTheWindowManagerClosesWithoutAName) {
    Type("PEACH");
    Type("\x7f");
    EXPECT_EQ(closings, 1);
    EXPECT_EQ(nameAtClosing, "PEACH");

    FormNamePlayer unnamed(&form, nullptr, "Classifica");
    unnamed.setOnClosed(Closed);
    unnamed.Show();
    ASSERT_TRUE(Mapped(unnamed.GetWindow()));
    Type("YOSHI");
    driver.SendDeleteWindow(unnamed.GetWindow());
    Settle();
    EXPECT_EQ(closings, 2);
    EXPECT_EQ(nameAtClosing, "");
    EXPECT_TRUE(form.IsEnabled());
}

}  // namespace
}  // namespace nebulark
