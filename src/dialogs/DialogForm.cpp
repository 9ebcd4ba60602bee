#include "dialogs/DialogForm.h"

#include "app/Application.h"

namespace nebulark {

namespace {

DialogForm* AsDialog(GUIElement* element) {
    return dynamic_cast<DialogForm*>(element);
}

void BuildContentsOf(GUIElement* element, uint64_t) {
    if (DialogForm* dialog = AsDialog(element)) dialog->buildContents();
}

bool ReleaseParentOf(GUIElement* element) {
    DialogForm* dialog = AsDialog(element);
    return dialog == nullptr || dialog->releaseParent();
}

}  // namespace

DialogForm::DialogForm(Form* owner, Screen* screen) : Form(0, true), owner(owner) {
    SetScreen(screen != nullptr ? screen : owner != nullptr ? owner->GetScreen() : nullptr);
    if (owner != nullptr) {
        TakeFocusFromOwner();
        owner->SetEnabled(false);
        owner->SetModalChild(this);
        owner->SetBlocked(true);
    }
    setOnLoad(BuildContentsOf);
    setOnCloseQuery(ReleaseParentOf);
}

DialogForm::~DialogForm() {
    Form* held = LiveOwner();
    if (held != nullptr && held->GetModalChild() == this) held->SetModalChild(nullptr);
}

// Keys typed into the dialog go first to the focused control, which must not
// be one of the disabled owner's.
void DialogForm::TakeFocusFromOwner() {
    GUIElement* focused = Application::FocusedElement();
    if (focused == nullptr || Application::OwningForm(focused) != owner) return;
    focused->OnFocusOut();
    Application::ClearFocus();
}

void DialogForm::PlaceOver(Form* over) {
    if (over == nullptr) return;
    const Point at = over->GetPosition();
    const Size size = over->GetSize();
    const Size own = GetSize();
    MoveTo(at.x + (size.width - own.width) / 2, at.y + (size.height - own.height) / 2);
}

void DialogForm::buildContents() {}

// Another dialog that has since taken the owner over keeps it.
bool DialogForm::releaseParent() {
    Form* held = LiveOwner();
    if (held == nullptr || held->GetModalChild() != this) return true;
    held->SetModalChild(nullptr);
    held->SetEnabled(true);
    held->SetBlocked(false);
    return true;
}

void DialogForm::notifyParent() {}

void DialogForm::buttonClicked(GUIElement*) {}

Form* DialogForm::LiveOwner() const {
    return owner != nullptr && Application::IsRegistered(owner) ? owner : nullptr;
}

void DialogForm::NotifyParentOf(GUIElement* element) {
    if (DialogForm* dialog = AsDialog(element)) dialog->notifyParent();
}

void DialogForm::routeClick(GUIElement* sender) {
    GUIElement* element = sender;
    while (element != nullptr && !element->IsType("form"))
        element = element->GetParent();
    if (DialogForm* dialog = AsDialog(element)) dialog->buttonClicked(sender);
}

}  // namespace nebulark
