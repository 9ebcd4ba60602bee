#include "controls/ImageFrame.h"

#include "controls/ControlPaint.h"
#include "images/EmbeddedImage.h"
#include "widgets/DrawingSurface.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

ImageFrame::ImageFrame(GUIElement* container, XImage* sheet, int32_t column, int32_t row)
    : sheet(sheet), column(column), row(row) {
    Init(container);
}

ImageFrame::ImageFrame(GUIElement* container, std::vector<XImage*> frames, int32_t column,
                       int32_t row)
    : frames(std::move(frames)), column(column), row(row) {
    Init(container);
}

ImageFrame::ImageFrame(GUIElement* container, std::vector<const EmbeddedImage*> embeddedFrames,
                       int32_t column, int32_t row)
    : embeddedFrames(std::move(embeddedFrames)), column(column), row(row) {
    Init(container);
}

// Only the conversions of compiled-in pictures belong to the control.
ImageFrame::~ImageFrame() {
    if (!framesConverted) return;
    for (XImage* frame : frames)
        destroyXImage(frame);
}

void ImageFrame::Init(GUIElement* container) {
    parent = container;
    typeName = "imageframe";
    canFocus = false;
    ownerPainted = true;
}

void ImageFrame::setFrame(int32_t newColumn, int32_t newRow) {
    if (newColumn == column && newRow == row) return;
    column = newColumn;
    row = newRow;
    if (created) Paint();
}

void ImageFrame::setBlackTransparent(bool on) {
    blackTransparent = on;
    if (created) Paint();
}

void ImageFrame::ConvertEmbeddedFrames() {
    if (embeddedFrames.empty() || framesConverted) return;
    for (const EmbeddedImage* embedded : embeddedFrames)
        frames.push_back(createXImageFromRgb(this, decodeEmbeddedImage(width, height, embedded)));
    framesConverted = true;
}

// The frame's rectangle, in 64 bits so that no product overflows, lies wholly
// inside the sheet.
bool ImageFrame::SheetHoldsFrame() const {
    if (column < 0 || row < 0 || width <= 0 || height <= 0) return false;
    const int64_t left = int64_t{width} * column, top = int64_t{height} * row;
    return left + width <= sheet->width && top + height <= sheet->height;
}

XImage* ImageFrame::ListedFrame() const {
    const int64_t index = int64_t{column} + row;
    if (column < 0 || row < 0 || index >= static_cast<int64_t>(frames.size())) return nullptr;
    return frames[static_cast<size_t>(index)];
}

// The image frame paints even while its form is being created.
void ImageFrame::Paint() {
    if (!created) return;
    DrawingSurface surface(this);
    const Point at = AbsolutePosition(x, y);
    ConvertEmbeddedFrames();
    if (sheet != nullptr)
        DrawFromSheet(surface, at);
    else
        DrawListed(surface, at, ListedFrame());
}

void ImageFrame::DrawFromSheet(DrawingSurface& surface, Point at) {
    const int32_t back = ControlPaint::ContainerColour(*this);
    if (!SheetHoldsFrame()) {
        surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1, back);
        return;
    }
    const int sourceX = width * column, sourceY = height * row;
    if (blackTransparent) {
        surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1, back);
        ControlPaint::DrawBlackTransparent(surface, at.x, at.y, width, height, sheet, sourceX,
                                           sourceY);
    } else {
        surface.DrawImagePart(at.x, at.y, width, height, sheet, sourceX, sourceY);
    }
}

void ImageFrame::DrawListed(DrawingSurface& surface, Point at, XImage* frame) {
    if (frame == nullptr || blackTransparent)
        surface.FillRect(at.x, at.y, width + 1, height + 1, 0, -1,
                         ControlPaint::ContainerColour(*this));
    if (frame == nullptr) return;
    if (blackTransparent)
        ControlPaint::DrawBlackTransparent(surface, at.x, at.y, width, height, frame);
    else
        surface.DrawImage(at.x, at.y, width, height, frame);
}

}  // namespace nebulark
