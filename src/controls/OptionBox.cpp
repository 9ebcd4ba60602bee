#include "controls/OptionBox.h"

#include <X11/keysym.h>

#include <algorithm>

#include "controls/ControlPaint.h"
#include "controls/TogglePictures.h"
#include "widgets/DrawingSurface.h"

namespace nebulark {

namespace {

constexpr int kSide = TogglePictures::kSide;

}  // namespace

OptionBox::OptionBox(GUIElement* container)
    : ToggleControl(container, "optionbox", TogglePictures::OptionBoxPicture) {}

int32_t OptionBox::getSelected() const {
    return selected;
}

int32_t OptionBox::count() const {
    return static_cast<int32_t>(captions.size());
}

bool OptionBox::setSelected(int32_t index) {
    index = std::max(index, 0);
    if (index >= count()) return false;
    selected = index;
    Repaint();
    return true;
}

void OptionBox::selectFirst() {
    setSelected(-1);
}

void OptionBox::addItem(const std::string& caption, const std::string& value) {
    captions.push_back(caption);
    values.push_back(value);
    Repaint();
}

// Only an index inside the list removes anything, so no negative index can
// reach the lists.
bool OptionBox::removeItem(int32_t index) {
    const int32_t before = count();
    if (index < 0 || index >= before) return false;
    captions.erase(captions.begin() + index);
    values.erase(values.begin() + index);
    if (selected >= before - 1) --selected;
    Repaint();
    return true;
}

bool OptionBox::removeItem() {
    return removeItem(-1);
}

// The box is painted again, so that the options it no longer holds do not
// stay on the form.
bool OptionBox::clear() {
    captions.clear();
    values.clear();
    setSelected(-1);
    Repaint();
    return true;
}

std::string OptionBox::EntryAt(const std::vector<std::string>& list, int32_t index) {
    if (list.empty()) return std::string();
    const int64_t last = static_cast<int64_t>(list.size()) - 1;
    return list[static_cast<size_t>(std::clamp<int64_t>(index, 0, last))];
}

std::string OptionBox::captionAt(int32_t index) const {
    return EntryAt(captions, index);
}

std::string OptionBox::valueAt(int32_t index) const {
    return EntryAt(values, index);
}

// Up from the first option, from none, or from a selection left past the end
// of a shortened list goes to the last option.
void OptionBox::Step(int direction) {
    const int32_t last = count() - 1;
    if (direction > 0)
        selected = selected >= last ? 0 : selected + 1;
    else
        selected = selected <= 0 ? last : std::min(selected - 1, last);
    Changed();
}

// A click below the last option selects the last one; a click on an empty
// box selects none, and is still told to the click handler.
void OptionBox::OnMouseUp(Point point) {
    if (enabled) {
        const int64_t row = (int64_t{point.y} - AbsolutePosition(x, y).y) / kRowHeight;
        selected =
            captions.empty() ? -1 : static_cast<int32_t>(std::clamp<int64_t>(row, 0, count() - 1));
        Changed();
    }
    Child::OnMouseUp(point);
}

// An empty box has no option for a key to move to.
void OptionBox::OnKeyDown(KeySym keysym) {
    if (!TakesKeys() || captions.empty()) return;
    if (keysym == XK_Down) Step(1);
    if (keysym == XK_Up) Step(-1);
}

bool OptionBox::OnKeyChar(char character) {
    if (SpaceTyped(character) && !captions.empty()) Step(1);
    return Child::OnKeyChar(character);
}

void OptionBox::Paint() {
    if (!CanPaint()) return;
    height = static_cast<int32_t>(std::max<int64_t>(height, int64_t{kRowHeight} * count()));
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    const int32_t face = ControlPaint::FaceColour(*this);
    surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1, face);
    for (int32_t index = 0; index < count(); ++index)
        PaintOption(surface, at, face, index);
}

// The converted picture keeps its transparent surround for the next paint,
// whatever the face colour is then.
void OptionBox::PaintOption(DrawingSurface& surface, Point at, int32_t face, int32_t index) {
    const int bottom = at.y + 25 + kRowHeight * index;
    ControlPaint::DrawBlackTransparent(surface, at.x + 1, bottom - 19, kSide, kSide,
                                       Picture(index == selected));
    surface.DrawTextBox(at.x + kSide + 8, bottom - 24, width - kSide - 10, kRowHeight,
                        captions[static_cast<size_t>(index)], InkColour(), face, kAlignLeft);
    // With nothing selected the mark sits on the first option, where Down goes.
    if (hasFocus && enabled && index == std::max(selected, 0))
        ControlPaint::DrawFocusMark(surface, at.x + kSide + 5, bottom - 24, at.x + width - 6,
                                    bottom, textColor);
}

}  // namespace nebulark
