#pragma once

#include "widgets/GUIElement.h"

namespace nebulark {

class Form;

// An element placed inside a form, directly or through panels. It is drawn on
// its form; it has no window of its own.
class Child : public GUIElement {
public:
    Child();
    // Leaves the registry before the element goes away.
    ~Child() override;

    // The nearest ancestor that is a form; none when the chain ends first.
    Form* OwningForm() const;
    // A point given relative to this element's container, in form coordinates.
    Point AbsolutePosition(int32_t relativeX, int32_t relativeY) const;
};

}  // namespace nebulark
