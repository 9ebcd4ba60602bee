#include "widgets/Child.h"

#include "app/Application.h"

namespace nebulark {

Child::Child() : GUIElement(0) {
    isChild = true;
}

Child::~Child() {
    Application::Unregister(this);
}

Form* Child::OwningForm() const {
    return Application::OwningForm(parent);
}

Point Child::AbsolutePosition(int32_t relativeX, int32_t relativeY) const {
    Point sum{relativeX, relativeY};
    for (const GUIElement* ancestor = parent; ancestor != nullptr && !ancestor->IsType("form");
         ancestor = ancestor->GetParent()) {
        const Point offset = ancestor->GetPosition();
        sum.x += offset.x;
        sum.y += offset.y;
    }
    return sum;
}

}  // namespace nebulark
