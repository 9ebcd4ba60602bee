#pragma once

#include "widgets/Child.h"

namespace nebulark {

// The common behaviour of the controls that paint themselves on their form:
// showing creates and paints, hiding erases the area and forgets the
// creation (a later Show starts afresh), and moving or resizing a created
// control erases it at the old place before painting it at the new one.
class PaintedControl : public Child {
public:
    void SetSize(int32_t w, int32_t h) override;
    void SetPosition(int32_t newX, int32_t newY) override;
    void Show() override;
    void Reveal() override;
    void Hide() override;
    // Draws an id when there is none and marks the control created and shown.
    void Create() override;

protected:
    // True while the control may paint: created, and no form being created.
    bool CanPaint() const;
    // True while keys may activate the control: enabled, shown and focused. A
    // hidden control can still hold the focus it had, but is not there to be
    // used.
    bool TakesKeys() const;
};

}  // namespace nebulark
