#include "dialogs/FormNamePlayer.h"

#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"
#include "controls/TextBoxCustom.h"
#include "util/ProcessUtils.h"

namespace nebulark {

namespace {

constexpr int32_t kFormWidth = 250;
constexpr int32_t kFormHeight = 115;
constexpr char kReturn = 13;
constexpr char kDelete = 127;

}  // namespace

FormNamePlayer::FormNamePlayer(Form* owner, Screen* screen, const std::string& title)
    : DialogForm(owner, screen) {
    PlayerNameStore().clear();
    SetSize(kFormWidth, kFormHeight);
    SetTitle(title);
    setOnKeyChar(KeyTyped);
}

FormNamePlayer::~FormNamePlayer() = default;

std::string& FormNamePlayer::PlayerNameStore() {
    static std::string name;
    return name;
}

const std::string& FormNamePlayer::playerName() {
    return PlayerNameStore();
}

void FormNamePlayer::setPrompt(const std::string& text) {
    prompt = text;
    if (label != nullptr) label->SetCaption(prompt);
}

void FormNamePlayer::buildContents() {
    const int32_t w = GetWidth();
    label = std::make_unique<CellControl>(this);
    label->SetSize(w, 14);
    label->SetPosition(0, 15);
    label->SetCaption(prompt);
    label->setAlignment(2);
    textBox = std::make_unique<TextBoxCustom>(this, "");
    textBox->SetSize(w / 2, 20);
    textBox->SetPosition(w / 4, 45);
    textBox->setMaxLength(kNameLength);
    okButton = std::make_unique<ButtonCustom>(this, "OK");
    okButton->SetSize(80, 28);
    okButton->SetPosition((w - 80) / 2, 80);
    okButton->setClickHandler(routeClick);
    label->Show();
    textBox->Show();
    okButton->Show();
    textBox->Focus();
}

// Once the window is gone the dialog is closed: a second confirmation (Return
// released on the focused OK button reaches the button and then the form)
// changes nothing.
void FormNamePlayer::buttonClicked(GUIElement* sender) {
    if (!created || sender == nullptr || sender != okButton.get()) return;
    const std::string name = textBox->GetCaption();
    if (name.empty()) {
        Beep();
        textBox->Focus();
        return;
    }
    if (!releaseParent()) return;
    PlayerNameStore() = name;
    DestroyWindow();
    OnClosed();
}

// Return and Delete confirm; the form keeps them. Every other character goes
// on as usual.
bool FormNamePlayer::KeyTyped(GUIElement* element, char character) {
    if (character != kReturn && character != kDelete) return true;
    auto* form = dynamic_cast<FormNamePlayer*>(element);
    if (form != nullptr) form->buttonClicked(form->okButton.get());
    return false;
}

}  // namespace nebulark
