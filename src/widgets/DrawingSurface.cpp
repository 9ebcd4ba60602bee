#include "widgets/DrawingSurface.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Screen.h"
#include "util/Log.h"
#include "widgets/ColourKey.h"
#include "widgets/Form.h"
#include "widgets/PixelLayoutProbe.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int kFullCircle = 360 * 64;

Form* FormOf(GUIElement* element) {
    if (element != nullptr) return Application::OwningForm(element);
    const auto& forms = Application::Forms();
    return forms.empty() ? nullptr : static_cast<Form*>(forms.front());
}

unsigned long PixelOf(int32_t colour) {
    return static_cast<unsigned long>(static_cast<uint32_t>(colour) & 0xFFFFFF);
}

XPoint PointAt(int x, int y) {
    return XPoint{static_cast<short>(x), static_cast<short>(y)};
}

}  // namespace

DrawingSurface::DrawingSurface(GUIElement* element)
    : form(FormOf(element)), target(form), font(form) {
    Display* display = Connection();
    // Without a window there is nothing to make a context for; every
    // operation then draws nothing.
    if (display == nullptr || target.Get() == 0) {
        LogMessage("Errore nella creazione del GC");
        return;
    }
    XGCValues values{};
    gc = XCreateGC(display, target.Get(), GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) {
        LogMessage("Errore nella creazione del GC");
        return;
    }
    font.UseContext(gc);
    SetUpContext(display);
}

DrawingSurface::~DrawingSurface() {
    Display* display = Connection();
    if (display == nullptr) {
        putter.Abandon();
        return;
    }
    putter.Release();
    font.Release();
    if (gc != nullptr) XFreeGC(display, gc);
}

void DrawingSurface::ShareImage(XImage* image) {
    Display* display = Connection();
    if (!Ready() || display == nullptr || image == nullptr) return;
    const Screen* screen = form->GetScreen();
    Visual* visual = screen->GetVisualInfo() != nullptr
                         ? screen->GetVisualInfo()->visual
                         : DefaultVisual(display, screen->GetScreenNumber());
    putter.Share(display, visual, *image);
}

void DrawingSurface::UnshareImage(XImage* image) {
    if (image != nullptr) putter.Unshare(*image, Connection() != nullptr);
}

bool DrawingSurface::SharesImage(const XImage* image) const {
    return putter.Shares(image);
}

void DrawingSurface::FinishImageTransfers() {
    if (Connection() != nullptr) putter.Finish();
}

void DrawingSurface::SetUpContext(Display* display) {
    const int screenNumber = form->GetScreen()->GetScreenNumber();
    XSetForeground(display, gc, WhitePixel(display, screenNumber));
    XSetBackground(display, gc, BlackPixel(display, screenNumber));
    XSetFillStyle(display, gc, FillSolid);
    SetLine(1, LineSolid);
    // A font that cannot be loaded leaves the server's default font in the
    // context.
    if (XFontStruct* loaded = GetFontStruct()) XSetFont(display, gc, loaded->fid);
}

void DrawingSurface::SetColour(int32_t colour) {
    if (colour != -1) XSetForeground(Connection(), gc, PixelOf(colour));
}

void DrawingSurface::SetLine(unsigned width, int xStyle) {
    XSetLineAttributes(Connection(), gc, width, xStyle, CapRound, JoinRound);
}

void DrawingSurface::DrawPoint(int x, int y, int32_t colour) {
    if (!Ready()) return;
    SetColour(colour);
    target.Paint(PixelRect{x, y, 1, 1}, [&](Drawable d) { XDrawPoint(Connection(), d, gc, x, y); });
}

XImage* DrawingSurface::ReadBack(Drawable drawable, int x, int y, int w, int h) {
    if (!Ready() || w <= 0 || h <= 0) return nullptr;
    return XGetImage(Connection(), drawable, x, y, static_cast<unsigned>(w),
                     static_cast<unsigned>(h), AllPlanes, ZPixmap);
}

int64_t DrawingSurface::GetPixel(int x, int y) {
    XImage* image = ReadBack(target.Get(), x, y, 1, 1);
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
    const int xStyle = style == kLineOnOffDash    ? LineOnOffDash
                       : style == kLineDoubleDash ? LineDoubleDash
                                                  : LineSolid;
    if (xStyle != LineSolid) SetLine(1, xStyle);
    const XPoint ends[] = {PointAt(x1, y1), PointAt(x2, y2)};
    target.PaintMeasured([&] { return DrawTarget::Around(ends, 2, 1); },
                         [&](Drawable d) {
                             XDrawLine(Connection(), d, gc, x1, y1, x2, y2);
                             if (xStyle != LineSolid) SetLine(1, LineSolid);
                         });
}

void DrawingSurface::DrawLine(int x1, int y1, int x2, int y2, int32_t colour) {
    DrawLine(x1, y1, x2, y2, kLineSolid, colour);
}

void DrawingSurface::DrawLines(XPoint* points, int count, int32_t colour) {
    if (!Ready() || points == nullptr || count <= 0) return;
    SetColour(colour);
    target.PaintMeasured(
        [&] { return DrawTarget::Around(points, count, 1); },
        [&](Drawable d) { XDrawLines(Connection(), d, gc, points, count, CoordModeOrigin); });
}

void DrawingSurface::FillPolygon(XPoint* points, int count, int outline, int32_t outlineColour,
                                 int32_t fillColour) {
    if (!Ready() || points == nullptr || count <= 0) return;
    SetColour(fillColour);
    target.PaintMeasured([&] { return DrawTarget::Around(points, count, 0); },
                         [&](Drawable d) {
                             XFillPolygon(Connection(), d, gc, points, count, Complex,
                                          CoordModeOrigin);
                             if (outline > 0) DrawLines(points, count, outlineColour);
                         });
}

// The rectangle is drawn one pixel smaller than asked, so that its outline
// covers exactly w × h pixels. A wider line applies to this rectangle only.
void DrawingSurface::DrawRect(int x, int y, int w, int h, int lineWidth, int32_t colour) {
    if (!Ready() || w <= 0 || h <= 0) return;
    SetColour(colour);
    if (lineWidth > 1) SetLine(static_cast<unsigned>(lineWidth), LineSolid);
    const int margin = std::max(lineWidth, 1) / 2 + 1;
    target.Paint(PixelRect{x - margin, y - margin, w + 2 * margin, h + 2 * margin},
                 [&](Drawable d) {
                     XDrawRectangle(Connection(), d, gc, x, y, static_cast<unsigned>(w - 1),
                                    static_cast<unsigned>(h - 1));
                     if (lineWidth > 1) SetLine(1, LineSolid);
                 });
}

void DrawingSurface::DrawRect(const RectStyle& rect) {
    DrawRect(rect.x, rect.y, rect.width, rect.height, rect.lineWidth, rect.lineColour);
}

// The controls rely on the fill leaving the last column and row alone.
void DrawingSurface::FillRect(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                              int32_t fillColour) {
    if (!Ready() || w <= 1 || h <= 1) return;
    SetColour(fillColour);
    target.Paint(PixelRect{x, y, w - 1, h - 1}, [&](Drawable d) {
        XFillRectangle(Connection(), d, gc, x, y, static_cast<unsigned>(w - 1),
                       static_cast<unsigned>(h - 1));
        if (borderWidth > 0) DrawRect(x, y, w - 1, h - 1, borderWidth, borderColour);
    });
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
    target.Paint(PixelRect{x - 1, y - 1, w + 3, h + 3}, [&](Drawable d) {
        XDrawArc(Connection(), d, gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
                 kFullCircle);
    });
}

void DrawingSurface::FillEllipse(int x, int y, int w, int h, int borderWidth, int32_t borderColour,
                                 int32_t fillColour) {
    if (!Ready() || w < 0 || h < 0) return;
    SetColour(fillColour);
    target.Paint(PixelRect{x - 1, y - 1, w + 3, h + 3}, [&](Drawable d) {
        XFillArc(Connection(), d, gc, x, y, static_cast<unsigned>(w), static_cast<unsigned>(h), 0,
                 kFullCircle);
        if (borderWidth > 0) DrawEllipse(x, y, w, h, borderWidth, borderColour);
    });
}

void DrawingSurface::FreePixmap(Pixmap& pixmap) {
    if (pixmap != 0 && Connection() != nullptr) XFreePixmap(Connection(), pixmap);
    pixmap = 0;
}

XImage* DrawingSurface::DrawOffscreen(Pixmap& scratch, XImage* under, PixelRect& rect,
                                      const std::function<void()>& draw) {
    Display* display = Connection();
    if (!Ready() || display == nullptr || under == nullptr || target.IsRedirected()) return nullptr;
    rect = rect.Intersection(PixelRect{0, 0, under->width, under->height});
    const PixelRect part = rect;
    if (part.Empty()) return nullptr;
    if (scratch == 0)
        scratch = XCreatePixmap(display, target.Get(), static_cast<unsigned>(under->width),
                                static_cast<unsigned>(under->height),
                                static_cast<unsigned>(under->depth));
    if (scratch == 0) return nullptr;
    const auto w = static_cast<unsigned>(part.w), h = static_cast<unsigned>(part.h);
    XPutImage(display, scratch, gc, under, part.x, part.y, part.x, part.y, w, h);
    target.Redirect(scratch, draw);
    return ReadBack(scratch, part.x, part.y, part.w, part.h);
}

}  // namespace nebulark
