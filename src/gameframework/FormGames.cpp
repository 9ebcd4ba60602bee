#include "gameframework/FormGames.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Screen.h"
#include "gameframework/Sprite.h"
#include "images/ImageFiles.h"
#include "input/JoystickConfig.h"
#include "util/Log.h"
#include "widgets/DrawingSurface.h"
#include "widgets/PixelLayoutProbe.h"
#include "widgets/Timer.h"
#include "widgets/XImageConversion.h"

namespace nebulark {

namespace {

constexpr int32_t kDefaultWidth = 800;
constexpr int32_t kDefaultHeight = 640;
constexpr int kFrameInterval = 10;
// A frame is composed once the ticks since the last one add up past this.
constexpr int kFramePeriod = 50;

constexpr const char* kNoSurfaceSfondo =
    "RenderSfondo(file): E' possibile caricare lo sfondo nel metodo RunApp o nei metodi "
    "successivi.";
constexpr const char* kNoBackground = "RenderSfondo(): E' necessario caricare primo lo sfondo.";
constexpr const char* kNoSurfaceImage =
    "RenderImage(file): E' possibile caricare l'immagine nel metodo RunApp o nei metodi "
    "successivi.";
constexpr const char* kNoSurfaceText =
    "RenderText(): E' possibile scrivere nel metodo RunApp o nei metodi successivi.";
constexpr unsigned long kStatusBackground = 0x010101;
constexpr unsigned long kStatusText = 0xFFFFFF;
constexpr const char* kRestoreTooFar =
    "RipristinaSfondo(): attenzione sizeFrame > size bmpScreenBuffer";

// The per-tick throttle is process-wide, as there is one game form.
struct Throttle {
    int tickAccumulator = 0;
    bool guard = false;
};
Throttle throttle;

FormGames* AsGame(GUIElement* element) {
    return static_cast<FormGames*>(element);
}

// The element callbacks forward to the game's own operations.
void ForwardLoad(GUIElement* element, uint64_t) {
    AsGame(element)->CreateFrameTimer();
}
bool ForwardCloseQuery(GUIElement* element) {
    return AsGame(element)->CloseGame();
}
// A resized window is drawn whole again.
void ForwardResize(GUIElement* element) {
    AsGame(element)->InvalidateFrame();
    AsGame(element)->GameResized();
}
bool ForwardKeyChar(GUIElement* element, char c) {
    return AsGame(element)->KeyTyped(c);
}
void ForwardKeyDown(GUIElement* element, KeySym k) {
    AsGame(element)->KeyPressed(k);
}
void ForwardKeyUp(GUIElement* element, KeySym k) {
    AsGame(element)->KeyReleased(k);
}
void ForwardMouseUp(GUIElement* element, uint64_t, Point p) {
    AsGame(element)->MouseReleased(p);
}
void ForwardMouseDown(GUIElement* element, uint64_t, Point p) {
    AsGame(element)->MousePressed(p);
}

void TickParent(Timer* timer) {
    if (GUIElement* parent = timer->GetParent()) static_cast<Form*>(parent)->OnTick();
}

}  // namespace

FormGames::FormGames(Screen* screen, const std::string& title)
    : FormGames(screen, title, kDefaultWidth, kDefaultHeight) {}

FormGames::FormGames(Screen* screen, const std::string& title, int32_t w, int32_t h) : Form(0) {
    if (screen != nullptr) SetScreen(screen);
    SetBackColor(0x010101);
    SetSize(w, h);
    SetTitle(title);
    InstallForwarders();
    Create();
    loadJoystickConfig();
}

FormGames::~FormGames() {
    ReleaseImages();
    if (hudPixmap != 0 && screen != nullptr && screen->GetDisplay() != nullptr)
        XFreePixmap(screen->GetDisplay(), hudPixmap);
    if (frameTimer != nullptr) {
        frameTimer->Stop();
        delete frameTimer;
    }
    DestroyWindow();
    delete surface;
}

void FormGames::InstallForwarders() {
    setOnLoad(ForwardLoad);
    setOnCloseQuery(ForwardCloseQuery);
    setOnResize(ForwardResize);
    setOnKeyChar(ForwardKeyChar);
    setOnKeyDown(ForwardKeyDown);
    setOnKeyUp(ForwardKeyUp);
    setOnMouseUp(ForwardMouseUp);
    setOnMouseDown(ForwardMouseDown);
}

void FormGames::ReleaseImages() {
    if (surface != nullptr) surface->UnshareImage(bmpScreenBuffer);
    destroyXImage(background);
    destroyXImage(backgroundCopy);
    destroyXImage(bmpScreenBuffer);
    background = backgroundCopy = bmpScreenBuffer = nullptr;
}

// The frame buffer goes to the server every sixth tick, so it is shared with
// the server where that can be; its pixels are changed only once the server
// has read the last frame. Every change of the frame buffer passes here.
FrameImage FormGames::View(XImage* image) {
    if (image != nullptr && image == bmpScreenBuffer && surface != nullptr)
        surface->FinishImageTransfers();
    return ViewUnsettled(image);
}

// For reading sizes and pixels only.
FrameImage FormGames::ViewUnsettled(XImage* image) const {
    return FrameImage::Of(image, ProbePixelChannels(const_cast<FormGames*>(this)));
}

void FormGames::OnKeyboardLost() {
    heldKeys.Clear();
    Form::OnKeyboardLost();
}

void FormGames::RunApp() {}

void FormGames::StartLevel() {
    score = 0;
    level = 1;
    lives = 3;
}

void FormGames::CreateFrameTimer() {
    if (frameTimer != nullptr) return;
    frameTimer = new Timer(this, kFrameInterval);
    frameTimer->setOnElapsed(TickParent);
}

bool FormGames::CloseGame() {
    OnBeforeClose();
    if (frameTimer != nullptr) frameTimer->Stop();
    Application::RequestQuit();
    return true;
}

void FormGames::GameResized() {}

bool FormGames::KeyTyped(char) {
    return true;
}

void FormGames::KeyPressed(KeySym keysym) {
    heldKeys.Press(keysym);
}

void FormGames::KeyReleased(KeySym keysym) {
    heldKeys.Release(keysym);
}

void FormGames::SpareHook() {}

void FormGames::MouseReleased(Point) {
    if (IsEnabled()) return;
    if (modalChild != nullptr) modalChild->Show();
}

void FormGames::MousePressed(Point) {}

// An exposed window has lost what it showed.
void FormGames::Paint() {
    InvalidateFrame();
    if (IsCreated() && surface == nullptr) {
        surface = new DrawingSurface(this);
        RunApp();
        if (frameTimer != nullptr) frameTimer->Start();
    }
    Form::Paint();
}

void FormGames::OnTick() {
    if (!throttle.guard && surface != nullptr && bmpScreenBuffer != nullptr) {
        throttle.guard = true;
        throttle.tickAccumulator += kFrameInterval;
        if (throttle.tickAccumulator > kFramePeriod && !busyDrawing) {
            RenderFrame();
            throttle.tickAccumulator = 0;
        }
        throttle.guard = false;
    }
    Form::OnTick();
}

// A frame with nothing new in it is neither composed nor put again: the window
// shows it already. Sprites that are drawn at every frame may have moved. An
// unmapped window shows nothing, so no frame is made for it; the first one
// after it is mapped again is put whole.
void FormGames::RenderFrame() {
    if (bmpScreenBuffer == nullptr) return;
    if (!IsWindowMapped()) {
        InvalidateFrame();
        return;
    }
    if (damage.Empty() && !spritesChanged && !ShowsMovingSprites()) return;
    if (deferredDrawing) {
        // Drawing is let through only while the frame is composed here.
        deferredDrawing = false;
        const bool inPart = ComposeFrame();
        deferredDrawing = true;
        if (inPart) {
            PutAreas(changed);
            return;
        }
    }
    PutAreas(damage.Rects());
}

bool FormGames::ShowsMovingSprites() const {
    return std::any_of(spriteList.begin(), spriteList.end(),
                       [](const Sprite* sprite) { return !sprite->persistent; });
}

// Whole, the frame is composed as the sprites draw: the background copy, then
// every sprite over it. Otherwise the sprites' drawing is only recorded, and
// the areas where it differs from the last frame's are composed again alone.
// Those go in `changed`; where every pixel put goes through the connection,
// only the parts whose pixels changed, with all of what was written into the
// buffer since the last frame (which the buffer held before the composition).
// Answers whether the frame was composed in part.
bool FormGames::ComposeFrame() {
    const bool whole = damage.Whole() || !plan.LastFrameKnown();
    if (whole) {
        damage.AddWhole();
        if (backgroundCopy != nullptr) View(bmpScreenBuffer).CopyAllFrom(View(backgroundCopy));
    }
    composing = whole ? Composing::RecordAndDraw : Composing::Record;
    RecordSprites();
    composing = Composing::No;
    if (!whole) written = damage.Rects();
    plan.CollectChanges(damage);
    if (whole) return false;
    changed.clear();
    if (damage.Empty()) return true;
    FrameImage frame = View(bmpScreenBuffer);
    const FrameImage copy = View(backgroundCopy);
    const bool sendsPixels = !surface->SharesImage(bmpScreenBuffer);
    for (const PixelRect& area : damage.Rects()) {
        PixelRect part = plan.Compose(frame, copy, area, sendsPixels);
        for (const PixelRect& rect : written)
            part = part.Bounds(rect.Intersection(area));
        if (!part.Empty()) changed.push_back(part);
    }
    return true;
}

void FormGames::RecordSprites() {
    plan.BeginFrame();
    for (Sprite* sprite : spriteList) {
        if (sprite->persistent) continue;
        plan.BeginSprite(sprite->Id());
        sprite->ForgetPosition();
        sprite->Draw(surface);
    }
}

void FormGames::PutAreas(const std::vector<PixelRect>& areas) {
    if (surface != nullptr && !areas.empty()) surface->DrawImageRects(bmpScreenBuffer, areas);
    damage.Clear();
    spritesChanged = false;
}

void FormGames::Wrote(const PixelRect& rect, bool persistent) {
    damage.Add(rect);
    if (!persistent && composing == Composing::No) plan.ForgetLastFrame();
}

// The new picture is read whole before the old images are released, so a
// missing or short file leaves the current background in place.
void FormGames::RenderSfondo(const std::string& path) {
    if (surface == nullptr) {
        LogMessage(kNoSurfaceSfondo);
        return;
    }
    const Size size = GetSize();
    unsigned fileBytes = 0;
    const RgbBuffer picture = readRawRgbFile(path, size.width, size.height, fileBytes);
    if (picture.empty()) return;
    busyDrawing = true;
    ReleaseImages();
    RenderText(10, 60, "L O A D I N G . . .", 0xFFFFFF);
    background = createXImageFromRgb(this, picture);
    backgroundCopy = createXImageFromRgb(this, picture);
    bmpScreenBuffer = createXImageFromRgb(this, picture);
    surface->ShareImage(bmpScreenBuffer);
    busyDrawing = false;
    ShowNewBackground();
}

// The new background is put whole at once, from the frame buffer that holds
// the same pixels, so that it goes through the shared memory where there is
// some. The window then shows a frame with no sprite in it.
void FormGames::ShowNewBackground() {
    XImage* shown = bmpScreenBuffer != nullptr ? bmpScreenBuffer : background;
    if (shown == nullptr) return;
    damage.Resize(shown->width, shown->height);
    damage.Clear();
    plan.StartFromEmpty();
    // An unmapped window is given the whole frame once it is shown again.
    if (IsWindowMapped())
        surface->DrawImage(0, 0, 0, 0, shown);
    else
        InvalidateFrame();
}

void FormGames::RenderSfondo() {
    if (background == nullptr) {
        LogMessage(kNoBackground);
        return;
    }
    busyDrawing = true;
    View(backgroundCopy).CopyAllFrom(View(background));
    View(bmpScreenBuffer).CopyAllFrom(View(background));
    damage.AddWhole();
    busyDrawing = false;
}

void FormGames::RipristinaSfondo(int x, int y, int w, int h, bool persistent) {
    if (!persistent && deferredDrawing) return;
    const FrameImage source = View(persistent ? background : backgroundCopy);
    const FrameImage frame = ViewUnsettled(bmpScreenBuffer);
    const PixelRect rect =
        PixelRect{x, y, w, h}.Intersection({0, 0, frame.Width(), frame.Height()});
    if (!persistent && composing != Composing::No) {
        plan.AddRestore(rect);
        if (composing == Composing::Record) return;
    }
    bool fits = View(bmpScreenBuffer).CopyRectFrom(source, x, y, w, h);
    if (persistent) fits = View(backgroundCopy).CopyRectFrom(source, x, y, w, h) && fits;
    if (!fits && !source.Empty()) LogMessage(kRestoreTooFar);
    Wrote(rect, persistent);
}

bool FormGames::ReadyToRender(const char* message) const {
    if (surface != nullptr) return true;
    LogMessage(message);
    return false;
}

void FormGames::RenderImage(XImage* image, int x, int y, SourceRect rect, bool persistent,
                            bool transparent) {
    if (!ReadyToRender(kNoSurfaceImage)) return;
    if (!persistent && deferredDrawing) return;
    if (image == nullptr) return;
    if (backgroundCopy == nullptr || bmpScreenBuffer == nullptr) {
        surface->DrawImagePart(x, y, static_cast<int>(rect.right - rect.left),
                               static_cast<int>(rect.bottom - rect.top), image,
                               static_cast<int>(rect.left), static_cast<int>(rect.top));
        return;
    }
    const FrameImage source = ViewUnsettled(image);
    const Blit part = ViewUnsettled(bmpScreenBuffer).ClipBlend(source, x, y, rect);
    if (!persistent && composing != Composing::No) {
        plan.AddBlend(source, part, transparent);
        if (composing == Composing::Record) return;
    }
    FrameImage copy = View(backgroundCopy);
    View(bmpScreenBuffer).Blend(source, x, y, rect, transparent, persistent ? &copy : nullptr);
    Wrote(PixelRect{static_cast<int>(part.x), static_cast<int>(part.y), static_cast<int>(part.w),
                    static_cast<int>(part.h)},
          persistent);
}

void FormGames::RenderImage(XImage* image, int x, int y, int w, int h, bool persistent,
                            bool transparent) {
    RenderImage(image, x, y, SourceRect{0, 0, w, h}, persistent, transparent);
}

void FormGames::RenderPixel(int x, int y, uint32_t colour, bool persistent) {
    if (!ReadyToRender(kNoSurfaceImage)) return;
    if (!persistent && deferredDrawing) return;
    if (backgroundCopy == nullptr || bmpScreenBuffer == nullptr) {
        surface->DrawPoint(x, y, static_cast<int32_t>(colour));
        return;
    }
    const FrameImage frame = ViewUnsettled(bmpScreenBuffer);
    if (x < 0 || y < 0 || x >= frame.Width() || y >= frame.Height()) return;
    if (!persistent && composing != Composing::No) {
        plan.AddPixel(x, y, colour);
        if (composing == Composing::Record) return;
    }
    View(bmpScreenBuffer).SetPixel(x, y, colour);
    if (persistent) View(backgroundCopy).SetPixel(x, y, colour);
    Wrote(PixelRect{x, y, 1, 1}, persistent);
}

// Reads back what was just drawn on the window and blends it into the frame
// for good, so it shows in every later frame.
// An unmapped window has no pixels to read back.
void FormGames::BlendCapture(int x, int y, int w, int h, bool transparent) {
    if (backgroundCopy == nullptr || !IsWindowMapped()) return;
    XImage* captured = surface->CaptureArea(x, y, w, h);
    if (captured == nullptr) return;
    RenderImage(captured, x, y, captured->width, captured->height, true, transparent);
    XDestroyImage(captured);
}

void FormGames::RenderText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                           int alignment) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    busyDrawing = true;
    surface->DrawTextBox(x, y, w, h, text, colour, -1, alignment);
    if (backgroundCopy != nullptr && w == 0) {
        DrawingSurface measure(this);
        w = static_cast<int>(text.size()) * measure.WideCharWidth();
    }
    BlendCapture(x, y, w, h, true);
    busyDrawing = false;
}

void FormGames::RenderText(int x, int y, const std::string& text, int32_t colour) {
    RenderText(x, y, 0, 18, text, colour, 0);
}

void FormGames::RenderRect(int x, int y, int w, int h, int32_t colour) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    busyDrawing = true;
    surface->FillRect(x, y, w, h, 1, colour, colour);
    BlendCapture(x, y, w, h, false);
    busyDrawing = false;
}

// The pixmap is made once, at the strip's size and the background's depth;
// without a background there is nothing to draw the strip for.
bool FormGames::EnsureHudPixmap(Display* display, int w, int h) {
    if (hudPixmap != 0) return true;
    if (background == nullptr || w <= 0 || h <= 0) return false;
    hudPixmap = XCreatePixmap(display, GetWindow(), static_cast<unsigned>(w),
                              static_cast<unsigned>(h), static_cast<unsigned>(background->depth));
    return hudPixmap != 0;
}

void FormGames::RenderStatusStrip(const std::string& left, const std::string& centre,
                                  const std::string& right) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    Display* display = screen != nullptr ? screen->GetDisplay() : nullptr;
    XFontStruct* font = surface->GetFontStruct();
    if (display == nullptr || font == nullptr) return;
    const int w = GetClientWidth();
    const int h = font->ascent + 15;
    if (!EnsureHudPixmap(display, w, h)) return;
    XGCValues values{};
    GC gc = XCreateGC(display, hudPixmap, GCCapStyle | GCJoinStyle, &values);
    if (gc == nullptr) return;
    XSetBackground(display, gc, kStatusBackground);
    XSetForeground(display, gc, kStatusBackground);
    XSetFont(display, gc, font->fid);
    XFillRectangle(display, hudPixmap, gc, 0, 0, static_cast<unsigned>(w),
                   static_cast<unsigned>(h));
    XSetForeground(display, gc, kStatusText);
    const int baseline = font->ascent + 10;
    const auto width = [font](const std::string& text) {
        return XTextWidth(font, text.data(), static_cast<int>(text.size()));
    };
    const auto draw = [&](int x, const std::string& text) {
        XDrawString(display, hudPixmap, gc, x, baseline, text.data(),
                    static_cast<int>(text.size()));
    };
    draw(5, left);
    draw(w - 10 - width(right), right);
    draw((w - width(centre)) / 2, centre);
    XFreeGC(display, gc);
    XImage* strip = XGetImage(display, hudPixmap, 0, 0, static_cast<unsigned>(w),
                              static_cast<unsigned>(h), AllPlanes, ZPixmap);
    if (strip == nullptr) return;
    RenderImage(strip, 0, 0, w, h, true, false);
    XDestroyImage(strip);
}

int FormGames::TextHeight() {
    return surface != nullptr ? surface->LineHeight() : 0;
}

void FormGames::AddSprite(Sprite* sprite) {
    if (sprite == nullptr) return;
    spriteList.push_back(sprite);
    spritesChanged = true;
}

void FormGames::RemoveSprite(Sprite* sprite) {
    if (sprite == nullptr) return;
    const auto found = std::find_if(spriteList.begin(), spriteList.end(),
                                    [&](Sprite* s) { return s->Id() == sprite->Id(); });
    if (found == spriteList.end()) return;
    spriteList.erase(found);
    spritesChanged = true;
}

void FormGames::ClearSprites() {
    spriteList.clear();
    spritesChanged = true;
}

Sprite* FormGames::SpriteAt(int index) const {
    if (index < 0 || index >= SpriteCount()) return nullptr;
    return spriteList[static_cast<size_t>(index)];
}

void FormGames::DrawSprite(Sprite* sprite) {
    if (sprite != nullptr) sprite->Draw(surface);
}

void FormGames::EraseSprite(Sprite* sprite) {
    if (sprite != nullptr) sprite->Erase(surface);
}

}  // namespace nebulark
