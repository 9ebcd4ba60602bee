#pragma once

namespace nebulark {

class GUIElement;

// Called with the control that was activated.
using ClickHandler = void (*)(GUIElement* sender);

// The click handler of a control that can be activated: push buttons, check
// boxes and option boxes carry it beside their element base.
class CommandElement {
public:
    void setClickHandler(ClickHandler handler) { clickHandler = handler; }
    // Calls the handler with the sender when one is set.
    void fireClick(GUIElement* sender) const {
        if (clickHandler != nullptr) clickHandler(sender);
    }

private:
    ClickHandler clickHandler = nullptr;
};

}  // namespace nebulark
