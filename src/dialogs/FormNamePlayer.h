#pragma once

#include <memory>
#include <string>

#include "dialogs/DialogForm.h"

namespace nebulark {

class ButtonCustom;
class CellControl;
class TextBoxCustom;

// The small dialog that asks for the player's name at the end of a game: a
// prompt, a box for up to 10 characters and an OK button. Return, Delete or
// OK confirm a name that is not blank; a blank one beeps and the dialog
// stays. The confirmed name, without trailing blanks, is left in the
// process-wide player name; then the window goes and OnClosed is raised,
// which calls the onClosed callback the owner set. Closed by the window
// manager, the dialog closes the same way and leaves the name empty.
class FormNamePlayer : public DialogForm {
public:
    static constexpr int kNameLength = 10;

    // Empties the player name. With an owner, the owner is disabled until
    // the dialog closes. The window is made by Show.
    FormNamePlayer(Form* owner, Screen* screen, const std::string& title);
    ~FormNamePlayer() override;

    // Shown in the label above the box.
    void setPrompt(const std::string& text);
    void buildContents() override;
    // The OK action: only the OK button confirms.
    void buttonClicked(GUIElement* sender) override;

    // The name the last confirmed dialog left; empty again from the
    // construction of every dialog.
    static const std::string& playerName();

    CellControl* getLabel() const { return label.get(); }
    TextBoxCustom* getTextBox() const { return textBox.get(); }
    ButtonCustom* getOkButton() const { return okButton.get(); }

private:
    std::string prompt;
    std::unique_ptr<CellControl> label;
    std::unique_ptr<TextBoxCustom> textBox;
    std::unique_ptr<ButtonCustom> okButton;

    static std::string& PlayerNameStore();
    static bool KeyTyped(GUIElement* element, char character);
};

}  // namespace nebulark
