#pragma once

#include <cstdint>
#include <vector>

#include "widgets/Child.h"

namespace nebulark {

class DrawingSurface;

// A container control: a rectangle on a form, optionally framed with a bevel
// or a flat black line and topped by a small caption, that other controls
// name as their parent. Showing, hiding and painting the panel does the same
// to the controls inside it; the event loop searches into panels for the
// control under the pointer and for the Tab order.
class PanelChildren : public Child {
public:
    explicit PanelChildren(GUIElement* container);

    void SetSize(int32_t w, int32_t h) override;
    void SetPosition(int32_t newX, int32_t newY) override;
    void Show() override;
    void Reveal() override;
    void Hide() override;
    void Paint() override;
    void Create() override;

    // The setters store and do not repaint.
    void setFramed(bool on);
    // Also turns the frame on.
    void setFlatFrame(bool on);
    // Also turns the frame on; false draws a raised bevel.
    void setSunken(bool on);
    // -1 draws the caption in black.
    void setCaptionColor(int64_t colour) { captionColor = colour; }
    // Unless -1, every painted child is given this colour before it paints.
    void setChildBackColor(int64_t colour) { childBackColor = colour; }

    bool isFramed() const { return framed; }
    bool isFlatFrame() const { return flatFrame; }
    bool isSunken() const { return sunken; }

private:
    bool framed = false;
    bool flatFrame = false;
    bool sunken = true;
    int64_t captionColor = -1;
    int64_t childBackColor = -1;

    std::vector<GUIElement*> Children() const;
    void Relocate(int32_t newX, int32_t newY, int32_t w, int32_t h);
    void PaintOwnArea();
    void PaintFrame(DrawingSurface& surface, Point at);
    void GiveChildColour(GUIElement* child);
    void PaintChildren();
};

}  // namespace nebulark
