#include "dialogs/FormMsgBox.h"

#include "app/Application.h"
#include "controls/ButtonCustom.h"
#include "controls/CellControl.h"

namespace nebulark {

namespace {

constexpr int32_t kBoxWidth = 250;
constexpr int32_t kBoxHeight = 150;
constexpr int64_t kBoxColour = 0xAAAAAA;
constexpr int64_t kMessageColour = 0xB7B7B7;

Form* ParentOrMainForm(Form* parent) {
    if (parent != nullptr) return parent;
    const auto& forms = Application::Forms();
    return forms.empty() ? nullptr : static_cast<Form*>(forms.front());
}

// The box it replaces may be the one whose button is being handled further up
// the stack, so the old box is deleted once the loop is back at its top.
FormMsgBox* OpenBox(int32_t requestCode, Form* parent, const std::string& message,
                    const std::string& title, bool yesNo) {
    if (Form* previous = Application::MessageBoxForm()) {
        Application::SetMessageBoxForm(nullptr);
        previous->DestroyWindow();
        Application::DeleteLater(previous);
    }
    parent = ParentOrMainForm(parent);
    Screen* screen = parent != nullptr ? parent->GetScreen() : nullptr;
    auto* box = new FormMsgBox(parent, screen, message, title, yesNo, requestCode);
    Application::SetMessageBoxForm(box);
    return box;
}

}  // namespace

FormMsgBox::FormMsgBox(Form* parent, Screen* screen, const std::string& message,
                       const std::string& title, bool yesNo, int32_t requestCode)
    : DialogForm(parent, screen), message(message), yesNo(yesNo), requestCode(requestCode) {
    this->parent = parent;
    SetSize(kBoxWidth, kBoxHeight);
    PlaceOver(parent);
    SetTitle(title);
    setOnClosed(NotifyParentOf);
    SetBackColor(kBoxColour);
    Create();
}

FormMsgBox::~FormMsgBox() {
    if (Application::MessageBoxForm() == this) Application::SetMessageBoxForm(nullptr);
    DestroyWindow();
}

void FormMsgBox::setup(int32_t code, bool twoButtons, const std::string& title,
                       const std::string& text) {
    requestCode = code;
    yesNo = twoButtons;
    SetTitle(title);
    setMessage(text);
}

void FormMsgBox::setMessage(const std::string& text) {
    message = text;
    if (created && messageCell != nullptr) messageCell->SetCaption(message);
}

void FormMsgBox::buildContents() {
    const Size size = GetSize();
    messageCell = std::make_unique<CellControl>(this);
    messageCell->MoveTo(10, 10);
    messageCell->setBevel(true);
    messageCell->SetBackColor(kMessageColour);
    messageCell->setTextColor(0);
    messageCell->SetCaption(message);
    messageCell->SetSize(size.width - 20, size.height - 60);
    messageCell->Create();
    firstButton = MakeButton(yesNo ? "YES" : "OK", size.width - 120);
    secondButton = MakeButton("NO", 10);
    if (!yesNo) secondButton->Hide();
}

std::unique_ptr<ButtonCustom> FormMsgBox::MakeButton(const std::string& caption, int32_t left) {
    auto button = std::make_unique<ButtonCustom>(this, caption);
    button->SetSize(110, 28);
    button->MoveTo(left, GetSize().height - 40);
    button->setClickHandler(routeClick);
    button->Create();
    return button;
}

// A box answers once: a click that arrives after it closed changes nothing.
void FormMsgBox::buttonClicked(GUIElement* sender) {
    if (!created || sender == nullptr || !releaseParent()) return;
    if (firstButton != nullptr && sender->GetId() == firstButton->GetId())
        result = yesNo ? kYes : kOk;
    else if (secondButton != nullptr && sender->GetId() == secondButton->GetId())
        result = kNo;
    DestroyWindow();
    OnClosed();
}

void FormMsgBox::notifyParent() {
    if (Form* held = LiveOwner()) held->OnDialogResult(requestCode, result);
}

FormMsgBox* showMessage(int32_t requestCode, Form* parent, const std::string& message,
                        const std::string& title) {
    return OpenBox(requestCode, parent, message, title, false);
}

FormMsgBox* showMessage(Form* parent, const std::string& message, const std::string& title) {
    return OpenBox(0, parent, message, title, false);
}

FormMsgBox* showMessage(const std::string& message, const std::string& title) {
    return OpenBox(0, nullptr, message, title, false);
}

FormMsgBox* showQuestion(int32_t requestCode, Form* parent, const std::string& message,
                         const std::string& title) {
    return OpenBox(requestCode, parent, message, title, true);
}

FormMsgBox* showQuestion(int32_t requestCode, const std::string& message,
                         const std::string& title) {
    return OpenBox(requestCode, nullptr, message, title, true);
}

}  // namespace nebulark
