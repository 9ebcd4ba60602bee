#pragma once

#include <X11/X.h>

#include <cstdint>
#include <string>
#include <vector>

#include "controls/ToggleControl.h"

namespace nebulark {

class DrawingSurface;

// A group of mutually exclusive options in one control, listed one under the
// other 26 pixels apart, each a caption with a value string kept beside it.
// One option is selected, or none (-1). A click selects the option under the
// pointer; Down (or Space) and Up select the next and the previous option,
// wrapping at the ends. Each of these calls the click handler.
class OptionBox : public ToggleControl {
public:
    static constexpr int32_t kRowHeight = 26;

    explicit OptionBox(GUIElement* container);

    void OnMouseUp(Point point) override;
    // Down and Up; onKeyDown is never called.
    void OnKeyDown(KeySym keysym) override;
    bool OnKeyChar(char character) override;
    // At least 26 pixels high per option: a lower box grows when it paints.
    void Paint() override;

    virtual int32_t getSelected() const;
    // A negative index selects the first option; an index past the last
    // answers false and changes nothing. The click handler is not called.
    virtual bool setSelected(int32_t index);
    // Removes the option at the index, when there is one. A selection on the
    // last option (or past it) moves up by one.
    virtual bool removeItem(int32_t index);
    // Names no option, so it removes nothing and answers false.
    virtual bool removeItem();
    virtual void addItem(const std::string& caption, const std::string& value);
    virtual int32_t count() const;
    // Copies of the entry at the index; an index past the last gives the last
    // entry, a negative one the first, and an empty box an empty string.
    virtual std::string captionAt(int32_t index) const;
    virtual std::string valueAt(int32_t index) const;
    // Empties both lists and keeps the selected index, which shows again once
    // the list holds that many options.
    virtual bool clear();
    virtual void selectFirst();

private:
    std::vector<std::string> captions;
    std::vector<std::string> values;
    int32_t selected = -1;

    static std::string EntryAt(const std::vector<std::string>& list, int32_t index);
    // Selects the next (+1) or the previous (-1) option, wrapping at the ends.
    void Step(int direction);
    void PaintOption(DrawingSurface& surface, Point at, int32_t face, int32_t index);
};

}  // namespace nebulark
