#include "widgets/DrawTarget.h"

#include <algorithm>

#include "app/Screen.h"
#include "widgets/Form.h"
#include "widgets/ScaledCanvas.h"

namespace nebulark {

Display* DrawTarget::Connection() const {
    if (form == nullptr || form->GetScreen() == nullptr) return nullptr;
    return form->GetScreen()->GetDisplay();
}

Drawable DrawTarget::Get() const {
    if (redirected != 0) return redirected;
    return form != nullptr ? form->GetDrawTarget() : 0;
}

PixelRect DrawTarget::Around(const XPoint* points, int count, int margin) {
    if (points == nullptr || count <= 0) return PixelRect{};
    int left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min<int>(left, points[i].x);
        right = std::max<int>(right, points[i].x);
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    return PixelRect{left - margin, top - margin, right - left + 1 + 2 * margin,
                     bottom - top + 1 + 2 * margin};
}

bool DrawTarget::NotesDamage() const {
    return redirected == 0 && form != nullptr && form->GetCanvas() != nullptr;
}

void DrawTarget::Note(const PixelRect& rect) {
    form->GetCanvas()->Drawn(rect);
}

void DrawTarget::Note(const std::vector<PixelRect>& rects) {
    for (const PixelRect& rect : rects)
        Note(rect);
}

// At a scale above 1 the parts drawn go to the window now.
void DrawTarget::Flush() {
    if (NotesDamage()) form->GetCanvas()->Show();
    if (Display* display = Connection()) XFlush(display);
}

}  // namespace nebulark
