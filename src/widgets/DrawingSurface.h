#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "util/PixelRect.h"
#include "widgets/DrawTarget.h"
#include "widgets/ImagePutter.h"
#include "widgets/SurfaceFont.h"
#include "widgets/TextFitting.h"
#include "widgets/TextStrip.h"

namespace nebulark {

class Form;
class GUIElement;

// How a line is drawn: its style as DrawLine takes it.
enum LineStyle : int { kLineSolid = 0, kLineOnOffDash = 1, kLineDoubleDash = 2 };

// The parameters of a rectangle gathered in one record, for DrawRect and
// FillRect.
struct RectStyle {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
    int32_t lineWidth = 0;
    int32_t lineColour = -1;
    int32_t fillColour = -1;
};

// A form's window paired with one graphics context: the only way the program
// draws. Every operation draws straight onto the window and flushes; at a
// scale above 1 it draws onto the form's canvas, and the flush has the server
// enlarge what was drawn onto the window (the DrawTarget's work). Coordinates
// are the form's own. Colours are 0xRRGGBB pixel values of the 24-bit visual;
// -1 keeps the context's current colour. Text and metrics use the font of the
// first form (SurfaceFont); texts are wrapped into their boxes by a
// TextFitting, and images put by an ImagePutter.
class DrawingSurface {
public:
    // Draws on the element's form; with none, on the first form.
    explicit DrawingSurface(GUIElement* element = nullptr);
    ~DrawingSurface();
    DrawingSurface(const DrawingSurface&) = delete;
    DrawingSurface& operator=(const DrawingSurface&) = delete;

    // Moves the image's pixels into memory shared with the server, where it
    // allows that, so that drawing the image whole sends no pixels through the
    // connection; the pixels shown are the same either way. One image per
    // surface: sharing another unshares the first. A shared image must be
    // unshared before it is destroyed, and FinishImageTransfers called before
    // its pixels are changed.
    void ShareImage(XImage* image);
    void UnshareImage(XImage* image);
    bool SharesImage(const XImage* image) const;
    // Waits until the server has read the shared image drawn last.
    void FinishImageTransfers();

    // Metrics of the first form's font; 0 when it cannot be loaded.
    XFontStruct* GetFontStruct();
    int LineHeight();
    int CharWidth();
    int WideCharWidth();

    void DrawPoint(int x, int y, int32_t colour);
    // The pixel value at (x, y); -1 when it cannot be read.
    int64_t GetPixel(int x, int y);
    // `style` is a LineStyle.
    void DrawLine(int x1, int y1, int x2, int y2, int style, int32_t colour);
    void DrawLine(int x1, int y1, int x2, int y2, int32_t colour);
    void DrawLines(XPoint* points, int count, int32_t colour);
    void FillPolygon(XPoint* points, int count, int outline, int32_t outlineColour,
                     int32_t fillColour);
    // The outline covers exactly w × h pixels.
    void DrawRect(int x, int y, int w, int h, int lineWidth, int32_t colour);
    void DrawRect(const RectStyle& rect);
    // The fill covers (w − 1) × (h − 1) pixels, and so does the border.
    void FillRect(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                  int32_t fillColour);
    void FillRect(const RectStyle& rect);
    void DrawEllipse(int x, int y, int w, int h, int lineWidth, int32_t colour);
    void FillEllipse(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                     int32_t fillColour);
    // Word-wrapped text in a box (see TextFitting); `alignment` is a
    // TextAlignment.
    void DrawText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                  int32_t backColour, int alignment, bool centreVertically);
    void DrawTextBox(int x, int y, int w, int h, const std::string& text, int32_t colour,
                     int32_t backColour, int alignment);

    // A w or h of 0 means the image's own width or height. The surface never
    // frees an image it is given.
    void DrawImage(int x, int y, int w, int h, XImage* image);
    void DrawImagePart(int x, int y, int w, int h, XImage* image, int sourceX, int sourceY);
    // Each rectangle of the image at the same place of the window, in one
    // flush: the parts of a picture of the window's size that have changed.
    void DrawImageRects(XImage* image, const std::vector<PixelRect>& rects);
    // Pixels of the key colour take the window's current colour; the given
    // image is changed.
    void DrawImageKeyed(int x, int y, int w, int h, XImage* image, int32_t key);
    void DrawImageKeyed(int x, int y, int w, int h, XImage* image);
    void DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX, int sourceY,
                            int32_t key);
    void DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX, int sourceY);
    // A picture file decoded by its bits per pixel (4, 8 or 24); a missing
    // file draws nothing.
    void DrawImageFile(int x, int y, int w, int h, int bitsPerPixel, const std::string& path);
    void DrawImageFileKeyed(int x, int y, int w, int h, int bitsPerPixel, const std::string& path);
    void CopyFromDrawable(int x, int y, int w, int h, Drawable drawable, int sourceX, int sourceY);
    // A copy of a window rectangle, or null; the caller releases it with
    // XDestroyImage.
    XImage* CaptureArea(int x, int y, int w, int h);
    // The width of a text in the first form's font; 0 without it.
    int FontTextWidth(const std::string& text);
    // Draws the strip in the first form's font into `scratch`, a pixmap the
    // caller keeps (made here on first use, at the strip's size and depth,
    // and freed with FreePixmap), and reads it back without touching the
    // window. Null, with nothing drawn, when the font or the pixmap is
    // missing; the caller releases the image with XDestroyImage.
    XImage* DrawTextStrip(Pixmap& scratch, const TextStrip& strip);
    void FreePixmap(Pixmap& pixmap);
    // Runs `draw` with every operation of this surface aimed at `scratch`
    // instead of the window: a pixmap the caller keeps (made here on first
    // use, at the size and depth of `under`), whose rectangle is first filled
    // from `under`, a picture of the whole form. The rectangle is cut to that
    // picture and then read back without the window being read or touched, so
    // it is what drawing on the window would have shown whatever the
    // window's state. Null, with nothing drawn, when it cannot be made; the
    // caller releases the image with XDestroyImage.
    XImage* DrawOffscreen(Pixmap& scratch, XImage* under, PixelRect& rect,
                          const std::function<void()>& draw);

    const ImageTraffic& Traffic() const { return putter.Traffic(); }

private:
    GC gc = nullptr;
    Form* form = nullptr;
    DrawTarget target;
    SurfaceFont font;
    ImagePutter putter;

    Display* Connection() const { return target.Connection(); }
    bool Ready() const { return gc != nullptr; }
    void SetUpContext(Display* display);
    void SetColour(int32_t colour);
    // The context's lines: `width` pixels wide, in Xlib's `xStyle`.
    void SetLine(unsigned width, int xStyle);
    void PutParts(XImage* image, const std::vector<PixelCopy>& parts);
    XImage* ReadBack(Drawable drawable, int x, int y, int w, int h);
    void DrawPictureFile(int x, int y, int w, int h, int bitsPerPixel, const std::string& path,
                         bool keyed);
    void DrawString(int x, int baseline, const std::string& line);
};

}  // namespace nebulark
