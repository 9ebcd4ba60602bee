#pragma once

#include "widgets/Form.h"

namespace nebulark {

class Screen;

// The pattern the toolkit's dialogs share: a dialog window that, while it is
// open, keeps its owner disabled and blocked and is the owner's modal child,
// and takes the keyboard focus from the owner's controls;
// it builds its controls when its window is created (its onLoad), gives the
// owner back when it is asked to close (its onCloseQuery), and handles the
// clicks of its buttons in buttonClicked.
class DialogForm : public Form {
public:
    // The dialog lives on the given screen, or on its owner's when none is
    // given. The owner may be null.
    DialogForm(Form* owner, Screen* screen);
    // An owner still held is no longer pointed at this dialog; it is not
    // enabled again.
    ~DialogForm() override;

    // Creates the controls; runs once the window exists.
    virtual void buildContents();
    // Enables and unblocks the owner again, while this dialog is its modal
    // child. Answers whether the dialog may close.
    virtual bool releaseParent();
    virtual void notifyParent();
    virtual void buttonClicked(GUIElement* sender);

    Form* getOwner() const { return owner; }
    void setOwner(Form* form) { owner = form; }

    // The click handler of a dialog's buttons: the nearest form above the
    // sender handles the click, when it is a dialog.
    static void routeClick(GUIElement* sender);

protected:
    Form* owner = nullptr;

    // The owner, while it still exists.
    Form* LiveOwner() const;
    // Centres the dialog over the form; a form near the screen's corner puts
    // the dialog at 0 rather than off the screen.
    void PlaceOver(Form* over);
    // For onClosed: the dialog tells its owner.
    static void NotifyParentOf(GUIElement* element);

private:
    void TakeFocusFromOwner();
};

}  // namespace nebulark
