#include "widgets/DrawingSurface.h"

#include <algorithm>
#include <cctype>
#include <cstring>

#include "app/Application.h"
#include "app/Screen.h"
#include "images/ImageFiles.h"
#include "util/FileUtils.h"
#include "util/Log.h"
#include "util/PixelCopy.h"
#include "util/StringUtils.h"
#include "widgets/Form.h"
#include "widgets/PixelLayoutProbe.h"
#include "widgets/ScaledCanvas.h"
#include "widgets/SharedImage.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int kFullCircle = 360 * 64;

Form* FirstForm() {
    const auto& forms = Application::Forms();
    return forms.empty() ? nullptr : static_cast<Form*>(forms.front());
}

unsigned long PixelOf(int32_t colour) {
    return static_cast<unsigned long>(static_cast<uint32_t>(colour) & 0xFFFFFF);
}

bool SameColour(const unsigned char* pixel, PixelChannels channels, int32_t key) {
    return pixel[channels.red] == ((key >> 16) & 0xFF) &&
           pixel[channels.green] == ((key >> 8) & 0xFF) && pixel[channels.blue] == (key & 0xFF);
}

// Pixels of the image from (imageX, imageY) on that have the key colour take
// the colour of the same pixel of the window copy, which starts there. Rows
// are addressed through each image's own stride, and nothing outside either
// image is touched.
void ReplaceKeyPixels(XImage& image, int imageX, int imageY, const XImage& window,
                      PixelChannels channels, int32_t key) {
    const int bytes = image.bits_per_pixel / 8;
    const int highest = std::max({channels.red, channels.green, channels.blue});
    const int lowest = std::min({channels.red, channels.green, channels.blue});
    if (image.data == nullptr || window.data == nullptr || bytes != window.bits_per_pixel / 8 ||
        lowest < 0 || highest >= bytes || imageX < 0 || imageY < 0)
        return;
    const int rows = std::min(image.height - imageY, window.height);
    const int columns = std::min(image.width - imageX, window.width);
    for (int row = 0; row < rows; ++row) {
        auto* target = reinterpret_cast<unsigned char*>(image.data) +
                       (imageY + row) * image.bytes_per_line + imageX * bytes;
        const auto* source =
            reinterpret_cast<const unsigned char*>(window.data) + row * window.bytes_per_line;
        for (int column = 0; column < columns; ++column) {
            unsigned char* pixel = target + column * bytes;
            const unsigned char* under = source + column * bytes;
            if (!SameColour(pixel, channels, key)) continue;
            pixel[channels.red] = under[channels.red];
            pixel[channels.green] = under[channels.green];
            pixel[channels.blue] = under[channels.blue];
        }
    }
}

}  // namespace

DrawingSurface::DrawingSurface(GUIElement* element) {
    form = element != nullptr ? Application::OwningForm(element) : FirstForm();
    Display* display = Connection();
    // Without a window there is nothing to make a context for; every
    // operation then draws nothing.
    if (display == nullptr || Target() == 0) {
        LogMessage("Errore nella creazione del GC");
        return;
    }
    XGCValues values{};
    gc = XCreateGC(display, Target(), GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) {
        LogMessage("Errore nella creazione del GC");
        return;
    }
    SetUpContext(display);
}

DrawingSurface::~DrawingSurface() {
    Display* display = Connection();
    if (display == nullptr) {
        if (shared != nullptr) shared->Abandon();
        return;
    }
    shared.reset();
    if (fallbackFont != nullptr) XFreeFontInfo(nullptr, fallbackFont, 1);
    if (gc != nullptr) XFreeGC(display, gc);
}

void DrawingSurface::ShareImage(XImage* image) {
    Display* display = Connection();
    if (!Ready() || display == nullptr || image == nullptr) return;
    if (shared == nullptr) {
        const Screen* screen = form->GetScreen();
        Visual* visual = screen->GetVisualInfo() != nullptr
                             ? screen->GetVisualInfo()->visual
                             : DefaultVisual(display, screen->GetScreenNumber());
        shared = std::make_unique<SharedImage>(display, visual);
    }
    shared->Adopt(*image);
}

// With the connection closed the server has let go of the memory already.
void DrawingSurface::UnshareImage(XImage* image) {
    if (shared == nullptr || image == nullptr) return;
    if (Connection() == nullptr)
        shared->Abandon();
    else
        shared->Return(*image);
}

bool DrawingSurface::SharesImage(const XImage* image) const {
    return image != nullptr && shared != nullptr && shared->Holds(*image);
}

void DrawingSurface::FinishImageTransfers() {
    if (shared != nullptr && Connection() != nullptr) shared->Settle();
}

void DrawingSurface::SetUpContext(Display* display) {
    const int screenNumber = form->GetScreen()->GetScreenNumber();
    XSetForeground(display, gc, WhitePixel(display, screenNumber));
    XSetBackground(display, gc, BlackPixel(display, screenNumber));
    XSetFillStyle(display, gc, FillSolid);
    XSetLineAttributes(display, gc, 1, LineSolid, CapRound, JoinRound);
    // A font that cannot be loaded leaves the server's default font in the
    // context.
    if (XFontStruct* font = GetFontStruct()) XSetFont(display, gc, font->fid);
}

Display* DrawingSurface::Connection() const {
    if (form == nullptr || form->GetScreen() == nullptr) return nullptr;
    return form->GetScreen()->GetDisplay();
}

Drawable DrawingSurface::Target() const {
    if (offscreen != 0) return offscreen;
    return form != nullptr ? form->GetDrawTarget() : 0;
}

// At a scale above 1 a drawn part goes to the window at the next flush.
void DrawingSurface::Drew(int x, int y, int w, int h) {
    if (offscreen != 0) return;
    if (ScaledCanvas* canvas = form != nullptr ? form->GetCanvas() : nullptr)
        canvas->Drawn(PixelRect{x, y, w, h});
}

void DrawingSurface::DrewAround(const XPoint* points, int count, int margin) {
    if (offscreen != 0) return;
    if (count <= 0 || form == nullptr || form->GetCanvas() == nullptr) return;
    int left = points[0].x, right = left, top = points[0].y, bottom = top;
    for (int i = 1; i < count; ++i) {
        left = std::min<int>(left, points[i].x);
        right = std::max<int>(right, points[i].x);
        top = std::min<int>(top, points[i].y);
        bottom = std::max<int>(bottom, points[i].y);
    }
    Drew(left - margin, top - margin, right - left + 1 + 2 * margin, bottom - top + 1 + 2 * margin);
}

void DrawingSurface::SetColour(int32_t colour) {
    if (colour != -1) XSetForeground(Connection(), gc, PixelOf(colour));
}

void DrawingSurface::Flush() {
    if (ScaledCanvas* canvas = form->GetCanvas(); canvas != nullptr && offscreen == 0)
        canvas->Show();
    XFlush(Connection());
}

// The font must have been loaded on this surface's connection: a font of
// another connection would name nothing here.
XFontStruct* DrawingSurface::GetFontStruct() {
    Form* first = FirstForm();
    Display* display = Connection();
    if (first == nullptr || display == nullptr) return nullptr;
    FontDescriptor& descriptor = first->GetFont();
    XFontStruct* font = descriptor.getFont(display);
    return descriptor.xdisplay == display ? font : nullptr;
}

int DrawingSurface::LineHeight() {
    const XFontStruct* font = GetFontStruct();
    return font != nullptr ? font->ascent + 1 : 0;
}

int DrawingSurface::CharWidth() {
    XFontStruct* font = GetFontStruct();
    return font != nullptr ? XTextWidth(font, "a", 1) : 0;
}

int DrawingSurface::WideCharWidth() {
    XFontStruct* font = GetFontStruct();
    return font != nullptr ? XTextWidth(font, "M", 1) : 0;
}

void DrawingSurface::DrawPoint(int x, int y, int32_t colour) {
    if (!Ready()) return;
    SetColour(colour);
    XDrawPoint(Connection(), Target(), gc, x, y);
    Drew(x, y, 1, 1);
    Flush();
}

XImage* DrawingSurface::ReadBack(Drawable drawable, int x, int y, int w, int h) {
    if (!Ready() || w <= 0 || h <= 0) return nullptr;
    return XGetImage(Connection(), drawable, x, y, static_cast<unsigned>(w),
                     static_cast<unsigned>(h), AllPlanes, ZPixmap);
}

int64_t DrawingSurface::GetPixel(int x, int y) {
    XImage* image = ReadBack(Target(), x, y, 1, 1);
    if (image == nullptr) return -1;
    const int64_t pixel = static_cast<int64_t>(XGetPixel(image, 0, 0));
    XDestroyImage(image);
    return pixel;
}

// A dashed line is drawn one pixel wide, and the context returns to solid
// lines afterwards.
void DrawingSurface::DrawLine(int x1, int y1, int x2, int y2, int style, int32_t colour) {
    if (!Ready()) return;
    SetColour(colour);
    const int lineStyle = style == 1 ? LineOnOffDash : style == 2 ? LineDoubleDash : LineSolid;
    if (lineStyle != LineSolid)
        XSetLineAttributes(Connection(), gc, 1, lineStyle, CapRound, JoinRound);
    XDrawLine(Connection(), Target(), gc, x1, y1, x2, y2);
    const XPoint ends[] = {{static_cast<short>(x1), static_cast<short>(y1)},
                           {static_cast<short>(x2), static_cast<short>(y2)}};
    DrewAround(ends, 2, 1);
    if (lineStyle != LineSolid)
        XSetLineAttributes(Connection(), gc, 1, LineSolid, CapRound, JoinRound);
    Flush();
}

void DrawingSurface::DrawLine(int x1, int y1, int x2, int y2, int32_t colour) {
    DrawLine(x1, y1, x2, y2, 0, colour);
}

void DrawingSurface::DrawLines(XPoint* points, int count, int32_t colour) {
    if (!Ready() || points == nullptr || count <= 0) return;
    SetColour(colour);
    XDrawLines(Connection(), Target(), gc, points, count, CoordModeOrigin);
    DrewAround(points, count, 1);
    Flush();
}

void DrawingSurface::FillPolygon(XPoint* points, int count, int outline, int32_t outlineColour,
                                 int32_t fillColour) {
    if (!Ready() || points == nullptr || count <= 0) return;
    SetColour(fillColour);
    XFillPolygon(Connection(), Target(), gc, points, count, Complex, CoordModeOrigin);
    DrewAround(points, count, 0);
    if (outline > 0) DrawLines(points, count, outlineColour);
    Flush();
}

// The rectangle is drawn one pixel smaller than asked, so that its outline
// covers exactly w × h pixels. A wider line applies to this rectangle only.
void DrawingSurface::DrawRect(int x, int y, int w, int h, int lineWidth, int32_t colour) {
    if (!Ready() || w <= 0 || h <= 0) return;
    SetColour(colour);
    if (lineWidth > 1)
        XSetLineAttributes(Connection(), gc, static_cast<unsigned>(lineWidth), LineSolid, CapRound,
                           JoinRound);
    XDrawRectangle(Connection(), Target(), gc, x, y, static_cast<unsigned>(w - 1),
                   static_cast<unsigned>(h - 1));
    const int margin = std::max(lineWidth, 1) / 2 + 1;
    Drew(x - margin, y - margin, w + 2 * margin, h + 2 * margin);
    if (lineWidth > 1) XSetLineAttributes(Connection(), gc, 1, LineSolid, CapRound, JoinRound);
    Flush();
}

void DrawingSurface::DrawRect(const RectStyle& rect) {
    DrawRect(rect.x, rect.y, rect.width, rect.height, rect.lineWidth, rect.lineColour);
}

// The controls rely on the fill leaving the last column and row alone.
void DrawingSurface::FillRect(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                              int32_t fillColour) {
    if (!Ready() || w <= 1 || h <= 1) return;
    SetColour(fillColour);
    XFillRectangle(Connection(), Target(), gc, x, y, static_cast<unsigned>(w - 1),
                   static_cast<unsigned>(h - 1));
    Drew(x, y, w - 1, h - 1);
    if (borderWidth > 0) DrawRect(x, y, w - 1, h - 1, borderWidth, borderColour);
    Flush();
}

void DrawingSurface::FillRect(const RectStyle& rect) {
    FillRect(rect.x, rect.y, rect.width, rect.height, rect.lineWidth, rect.lineColour,
             rect.fillColour);
}

// The line width is deliberately not applied: ellipse outlines are always one
// pixel wide.
void DrawingSurface::DrawEllipse(int x, int y, int w, int h, int, int32_t colour) {
    if (!Ready() || w < 0 || h < 0) return;
    SetColour(colour);
    XSetArcMode(Connection(), gc, ArcPieSlice);
    XDrawArc(Connection(), Target(), gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
             0, kFullCircle);
    Drew(x - 1, y - 1, w + 3, h + 3);
    Flush();
}

void DrawingSurface::FillEllipse(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                                 int32_t fillColour) {
    if (!Ready() || w < 0 || h < 0) return;
    SetColour(fillColour);
    XFillArc(Connection(), Target(), gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h),
             0, kFullCircle);
    Drew(x - 1, y - 1, w + 3, h + 3);
    if (borderWidth > 0) DrawEllipse(x, y, w, h, borderWidth, borderColour);
    Flush();
}

void DrawingSurface::DrawTextBox(int x, int y, int w, int h, const std::string& text,
                                 int32_t colour, int32_t backColour, int alignment) {
    DrawText(x, y, w, h, text, colour, backColour, alignment, true);
}

// One line per call: the first line is drawn and the rest goes to a recursive
// call below it, with the box shortened by one line. Multi-line text is never
// centred vertically, and once a line had to be narrowed the lines below it
// are left-aligned.
void DrawingSurface::DrawText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                              int32_t backColour, int alignment, bool centreVertically) {
    if (!Ready()) return;
    SetColour(colour);
    if (backColour != -1) XSetBackground(Connection(), gc, PixelOf(backColour));
    if (h <= 9) {
        Flush();
        return;
    }

    const TextLine first = TakeFirstLine(text, w);
    const std::string& line = first.line;
    const bool narrowed = first.narrowed;
    if (backColour != -1 && centreVertically && w > 0) {
        FillRect(x, y, w, h + 1, 0, -1, backColour);
        SetColour(colour);
    }
    const int lineHeight = TextLineHeight();
    if (first.rest.empty()) {
        const int baseline = y + lineHeight + (centreVertically ? (h - lineHeight) / 2 : 0);
        DrawString(AlignedStart(x, w, line, alignment), baseline - 1, line);
    } else {
        DrawString(narrowed ? x : AlignedStart(x, w, line, alignment), y + lineHeight - 1, line);
        DrawText(x, y + lineHeight, w, h - lineHeight, trim(first.rest), colour, backColour,
                 narrowed ? 0 : alignment, false);
    }
    Flush();
}

// The text up to the first newline, narrowed to fit w when w is above 0; what
// was cut off goes before the rest of the text.
DrawingSurface::TextLine DrawingSurface::TakeFirstLine(const std::string& text, int w) {
    const size_t newline = text.find('\n');
    TextLine first{text.substr(0, newline),
                   newline == std::string::npos ? "" : text.substr(newline + 1), false};
    if (w <= 0) return first;
    const size_t cut = FitLine(first.line, w);
    if (cut == first.line.size()) return first;
    first.narrowed = true;
    first.rest = first.line.substr(cut) + (newline == std::string::npos ? "" : "\n" + first.rest);
    first.line.resize(cut);
    return first;
}

// Moves the cut left until the line fits. A cut that would split a word moves
// back to the blank before the word when there is one; that blank then starts
// the rest.
size_t DrawingSurface::FitLine(const std::string& line, int w) {
    size_t cut = line.size();
    while (cut > 0 && TextWidth(line.substr(0, cut)) > w) {
        --cut;
        if (!std::isalpha(static_cast<unsigned char>(line[cut])) || cut == 0) continue;
        const size_t blank = line.rfind(' ', cut - 1);
        if (blank != std::string::npos) cut = blank;
    }
    return cut;
}

int DrawingSurface::AlignedStart(int x, int w, const std::string& line, int alignment) {
    if (alignment == 0 || w <= 0) return x;
    const int textWidth = TextWidth(line);
    return alignment == 1 ? x + w - textWidth : x + (w - textWidth) / 2;
}

void DrawingSurface::DrawString(int x, int baseline, const std::string& line) {
    if (line.empty()) return;
    XDrawString(Connection(), Target(), gc, x, baseline, line.data(),
                static_cast<int>(line.size()));
    // Glyphs may reach past their advance on either side by up to the
    // widest glyph; without metrics a generous box is taken.
    if (form->GetCanvas() == nullptr) return;
    const XFontStruct* font = TextFont();
    const int widest = font != nullptr ? font->max_bounds.width : 32;
    const int above = font != nullptr ? font->max_bounds.ascent : 32;
    const int below = font != nullptr ? font->max_bounds.descent : 16;
    const int advance = font != nullptr ? TextWidth(line) : widest * static_cast<int>(line.size());
    Drew(x - widest, baseline - above, advance + 2 * widest, above + below);
}

// Text is measured with the font it is drawn in: the first form's font, or
// when that cannot be loaded, the context's default font.
XFontStruct* DrawingSurface::TextFont() {
    if (XFontStruct* font = GetFontStruct()) return font;
    if (fallbackFont == nullptr) fallbackFont = XQueryFont(Connection(), XGContextFromGC(gc));
    return fallbackFont;
}

int DrawingSurface::TextLineHeight() {
    const XFontStruct* font = TextFont();
    const int ascent = font != nullptr ? font->ascent : 0;
    return ascent < 16 ? 15 : ascent + 1;
}

int DrawingSurface::TextWidth(const std::string& text) {
    XFontStruct* font = TextFont();
    if (font == nullptr || text.empty()) return 0;
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

void DrawingSurface::DrawImage(int x, int y, int w, int h, XImage* image) {
    DrawImagePart(x, y, w, h, image, 0, 0);
}

// Xlib clips the source rectangle to the image.
void DrawingSurface::DrawImagePart(int x, int y, int w, int h, XImage* image, int sourceX,
                                   int sourceY) {
    if (!Ready() || image == nullptr) return;
    const unsigned width = static_cast<unsigned>(w > 0 ? w : image->width);
    const unsigned height = static_cast<unsigned>(h > 0 ? h : image->height);
    PutPart(image, sourceX, sourceY, width, height, x, y, true);
    Flush();
}

void DrawingSurface::DrawImageRects(XImage* image, const std::vector<PixelRect>& rects) {
    if (!Ready() || image == nullptr) return;
    for (size_t i = 0; i < rects.size(); ++i) {
        const PixelRect& rect = rects[i];
        if (rect.Empty()) continue;
        PutPart(image, rect.x, rect.y, static_cast<unsigned>(rect.w), static_cast<unsigned>(rect.h),
                rect.x, rect.y, i + 1 == rects.size());
    }
    Flush();
}

// A shared image serves any rectangle of itself, so a part of it costs no
// more than the request. The rectangle is first cut to the image, as Xlib
// cuts a plain put (the server would refuse a shared one reaching outside).
void DrawingSurface::PutPart(XImage* image, int sourceX, int sourceY, unsigned w, unsigned h, int x,
                             int y, bool last) {
    const auto size = [](unsigned length) { return static_cast<int>(std::min(length, 1u << 30)); };
    PixelCopy part{PixelRect{x, y, size(w), size(h)}, sourceX, sourceY};
    if (!clipToSource(part, image->width, image->height)) return;
    const bool shares = shared != nullptr && shared->Holds(*image);
    const auto pw = static_cast<unsigned>(part.at.w), ph = static_cast<unsigned>(part.at.h);
    const int sx = part.sourceX, sy = part.sourceY, tx = part.at.x, ty = part.at.y;
    ++traffic.puts;
    traffic.pixels += uint64_t{pw} * ph;
    Drew(tx, ty, part.at.w, part.at.h);
    if (shares) {
        shared->Put(Target(), gc, sx, sy, pw, ph, tx, ty, last);
        return;
    }
    // A row of a plain put goes out padded to whole 32-bit units.
    const uint64_t rowBytes =
        (uint64_t{pw} * static_cast<unsigned>(image->bits_per_pixel) + 31) / 32 * 4;
    traffic.bytesSent += rowBytes * ph;
    XPutImage(Connection(), Target(), gc, image, sx, sy, tx, ty, pw, ph);
}

// Only the part of the rectangle inside both the image and the form (its
// window, or its canvas at a scale above 1) can be read back: reading past the
// edge is a protocol error. That part is keyed and drawn; the rest would not
// show anyway.
void DrawingSurface::DrawImageKeyed(int x, int y, int w, int h, XImage* image, int32_t key) {
    if (!Ready() || image == nullptr) return;
    if (w <= 0) w = image->width;
    if (h <= 0) h = image->height;
    const Size size = form->GetSize();
    const PixelRect shown =
        PixelRect{x, y, std::min(w, image->width), std::min(h, image->height)}.Intersection(
            PixelRect{0, 0, size.width, size.height});
    if (shown.Empty()) return;
    const PixelChannels channels = ProbePixelChannels(form);
    XImage* window = ReadBack(Target(), shown.x, shown.y, shown.w, shown.h);
    if (window == nullptr) return;
    ReplaceKeyPixels(*image, shown.x - x, shown.y - y, *window, channels, key);
    XDestroyImage(window);
    DrawImagePart(shown.x, shown.y, shown.w, shown.h, image, shown.x - x, shown.y - y);
}

void DrawingSurface::DrawImageKeyed(int x, int y, int w, int h, XImage* image) {
    DrawImageKeyed(x, y, w, h, image, 0);
}

// The part is cut out through a pixmap copy of the image. It is first
// clipped to the image, since reading outside the pixmap is a protocol error;
// a part wholly outside draws nothing.
void DrawingSurface::DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX,
                                        int sourceY, int32_t key) {
    if (!Ready() || image == nullptr || sourceX < 0 || sourceY < 0) return;
    PixelCopy cut{PixelRect{x, y, w > 0 ? w : image->width, h > 0 ? h : image->height}, sourceX,
                  sourceY};
    if (!clipToSource(cut, image->width, image->height)) return;
    const Pixmap pixmap = createPixmapFromXImage(form, image);
    if (pixmap == 0) return;
    XImage* part = ReadBack(pixmap, sourceX, sourceY, cut.at.w, cut.at.h);
    XFreePixmap(Connection(), pixmap);
    if (part == nullptr) return;
    DrawImageKeyed(x, y, cut.at.w, cut.at.h, part, key);
    XDestroyImage(part);
}

void DrawingSurface::DrawImagePartKeyed(int x, int y, int w, int h, XImage* image, int sourceX,
                                        int sourceY) {
    DrawImagePartKeyed(x, y, w, h, image, sourceX, sourceY, 0);
}

void DrawingSurface::DrawImageFile(int x, int y, int w, int h, int bitsPerPixel,
                                   const std::string& path) {
    DrawPictureFile(x, y, w, h, bitsPerPixel, path, false);
}

void DrawingSurface::DrawImageFileKeyed(int x, int y, int w, int h, int bitsPerPixel,
                                        const std::string& path) {
    DrawPictureFile(x, y, w, h, bitsPerPixel, path, true);
}

// The picture is converted at its own size, whatever size the caller names,
// so that no row is read past the decoded buffer; only the part that both
// the picture and the asked rectangle cover is drawn. A w or h of 0 (or less)
// means the picture's own width or height.
void DrawingSurface::DrawPictureFile(int x, int y, int w, int h, int bitsPerPixel,
                                     const std::string& path, bool keyed) {
    if (!Ready() || !fileExists(path)) return;
    const RgbBuffer rgb = bitsPerPixel == 24  ? readBmp24(path)
                          : bitsPerPixel == 8 ? readBmp8(path)
                          : bitsPerPixel == 4 ? readBmp4(path)
                                              : RgbBuffer();
    XImage* image = createXImageFromRgb(form, rgb);
    if (image == nullptr) return;
    PixelCopy shown{PixelRect{x, y, w > 0 ? w : rgb.width(), h > 0 ? h : rgb.height()}, 0, 0};
    if (clipToSource(shown, rgb.width(), rgb.height())) {
        const int cw = shown.at.w, ch = shown.at.h;
        if (keyed)
            DrawImageKeyed(x, y, cw, ch, image, 0);
        else
            DrawImage(x, y, cw, ch, image);
    }
    destroyXImage(image);
}

void DrawingSurface::CopyFromDrawable(int x, int y, int w, int h, Drawable drawable, int sourceX,
                                      int sourceY) {
    XImage* image = ReadBack(drawable, sourceX, sourceY, w, h);
    if (image == nullptr) return;
    DrawImage(x, y, w, h, image);
    XDestroyImage(image);
}

XImage* DrawingSurface::CaptureArea(int x, int y, int w, int h) {
    if (!Ready()) return nullptr;
    ProbePixelChannels(form);
    return ReadBack(Target(), x, y, w, h);
}

int DrawingSurface::FontTextWidth(const std::string& text) {
    XFontStruct* font = GetFontStruct();
    if (font == nullptr) return 0;
    return XTextWidth(font, text.data(), static_cast<int>(text.size()));
}

// A context of its own, as the pixmap may differ in depth from the window.
XImage* DrawingSurface::DrawTextStrip(Pixmap& scratch, const TextStrip& strip) {
    Display* display = Connection();
    XFontStruct* font = GetFontStruct();
    if (!Ready() || display == nullptr || font == nullptr) return nullptr;
    if (strip.width <= 0 || strip.height <= 0 || strip.depth <= 0) return nullptr;
    const unsigned w = static_cast<unsigned>(strip.width), h = static_cast<unsigned>(strip.height);
    if (scratch == 0)
        scratch = XCreatePixmap(display, Target(), w, h, static_cast<unsigned>(strip.depth));
    if (scratch == 0) return nullptr;
    XGCValues values{};
    GC stripGc = XCreateGC(display, scratch, GCCapStyle | GCJoinStyle, &values);
    if (stripGc == nullptr) return nullptr;
    XSetBackground(display, stripGc, static_cast<unsigned long>(strip.backColour));
    XSetForeground(display, stripGc, static_cast<unsigned long>(strip.backColour));
    XSetFont(display, stripGc, font->fid);
    XFillRectangle(display, scratch, stripGc, 0, 0, w, h);
    XSetForeground(display, stripGc, static_cast<unsigned long>(strip.textColour));
    for (const auto& [x, text] : strip.texts)
        XDrawString(display, scratch, stripGc, x, strip.baseline, text.data(),
                    static_cast<int>(text.size()));
    XFreeGC(display, stripGc);
    return ReadBack(scratch, 0, 0, strip.width, strip.height);
}

void DrawingSurface::FreePixmap(Pixmap& pixmap) {
    if (pixmap != 0 && Connection() != nullptr) XFreePixmap(Connection(), pixmap);
    pixmap = 0;
}

XImage* DrawingSurface::DrawOffscreen(Pixmap& scratch, XImage* under, PixelRect& rect,
                                      const std::function<void()>& draw) {
    Display* display = Connection();
    if (!Ready() || display == nullptr || under == nullptr || offscreen != 0) return nullptr;
    rect = rect.Intersection(PixelRect{0, 0, under->width, under->height});
    const PixelRect part = rect;
    if (part.Empty()) return nullptr;
    if (scratch == 0)
        scratch = XCreatePixmap(display, Target(), static_cast<unsigned>(under->width),
                                static_cast<unsigned>(under->height),
                                static_cast<unsigned>(under->depth));
    if (scratch == 0) return nullptr;
    const auto w = static_cast<unsigned>(part.w), h = static_cast<unsigned>(part.h);
    XPutImage(display, scratch, gc, under, part.x, part.y, part.x, part.y, w, h);
    offscreen = scratch;
    draw();
    offscreen = 0;
    return ReadBack(scratch, part.x, part.y, part.w, part.h);
}

}  // namespace nebulark
