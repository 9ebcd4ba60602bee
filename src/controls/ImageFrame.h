#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <vector>

#include "controls/PaintedControl.h"

namespace nebulark {

class DrawingSurface;
class EmbeddedImage;

// Shows one frame of a picture sheet (frames in a grid, each the control's
// size) or of a list of pictures, for simple animation. A frame that the
// pictures do not hold (a list index past the end, a sheet rectangle not
// wholly inside the sheet) shows the empty frame: the area in its
// container's colour. Nothing outside a picture is ever read.
class ImageFrame : public PaintedControl {
public:
    // A sheet the caller owns.
    ImageFrame(GUIElement* container, XImage* sheet, int32_t column, int32_t row);
    // Pictures the caller owns, one per frame.
    ImageFrame(GUIElement* container, std::vector<XImage*> frames, int32_t column, int32_t row);
    // Compiled-in pictures, converted at the control's size at the first paint
    // and released with the control.
    ImageFrame(GUIElement* container, std::vector<const EmbeddedImage*> embeddedFrames,
               int32_t column, int32_t row);
    ~ImageFrame() override;

    void Paint() override;

    void setFrame(int32_t newColumn, int32_t newRow);
    int32_t getColumn() const { return column; }
    int32_t getRow() const { return row; }
    // Fill the area first and let pure black show what is below; otherwise
    // the picture is put opaque.
    void setBlackTransparent(bool on);

private:
    bool blackTransparent = false;
    XImage* sheet = nullptr;
    std::vector<XImage*> frames;
    std::vector<const EmbeddedImage*> embeddedFrames;
    bool framesConverted = false;
    int32_t column = 0;
    int32_t row = 0;

    void Init(GUIElement* container);
    void ConvertEmbeddedFrames();
    bool SheetHoldsFrame() const;
    XImage* ListedFrame() const;
    void DrawFromSheet(DrawingSurface& surface, Point at);
    void DrawListed(DrawingSurface& surface, Point at, XImage* frame);
};

}  // namespace nebulark
