#include "gameframework/FormGames.h"

#include "app/Application.h"
#include "app/Screen.h"
#include "app/Tick.h"
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

// The per-tick throttle is process-wide, as there is one game form.
int tickAccumulator = 0;
bool tickGuard = false;

FormGames* AsGame(GUIElement* element) {
    return static_cast<FormGames*>(element);
}

}  // namespace

FormGames::FormGames(Screen* screen, const std::string& title)
    : FormGames(screen, title, kDefaultWidth, kDefaultHeight) {}

FormGames::FormGames(Screen* screen, const std::string& title, int32_t w, int32_t h) : Form(0) {
    if (screen != nullptr) SetScreen(screen);
    SetBackColor(kNearBlack);
    SetSize(w, h);
    SetTitle(title);
    InstallForwarders();
    Create();
    loadJoystickConfig();
}

FormGames::~FormGames() {
    ReleaseImages();
    if (surface != nullptr) {
        surface->FreePixmap(hudPixmap);
        surface->FreePixmap(keptPixmap);
    }
    if (frameTimer != nullptr) {
        frameTimer->Stop();
        delete frameTimer;
    }
    DestroyWindow();
    delete surface;
}

// The element callbacks forward to the game's own operations; a resized
// window is drawn whole again.
void FormGames::InstallForwarders() {
    setOnLoad([](GUIElement* e, uint64_t) { AsGame(e)->CreateFrameTimer(); });
    setOnCloseQuery([](GUIElement* e) { return AsGame(e)->CloseGame(); });
    setOnResize([](GUIElement* e) {
        AsGame(e)->InvalidateFrame();
        AsGame(e)->GameResized();
    });
    setOnKeyChar([](GUIElement* e, char c) { return AsGame(e)->KeyTyped(c); });
    setOnKeyDown([](GUIElement* e, KeySym k) { AsGame(e)->KeyPressed(k); });
    setOnKeyUp([](GUIElement* e, KeySym k) { AsGame(e)->KeyReleased(k); });
    setOnMouseUp([](GUIElement* e, uint64_t, Point p) { AsGame(e)->MouseReleased(p); });
    setOnMouseDown([](GUIElement* e, uint64_t, Point p) { AsGame(e)->MousePressed(p); });
}

void FormGames::ReleaseImages() {
    if (surface != nullptr) surface->UnshareImage(bmpScreenBuffer);
    destroyXImage(background);
    destroyXImage(backgroundCopy);
    destroyXImage(bmpScreenBuffer);
    background = backgroundCopy = bmpScreenBuffer = nullptr;
    compositor.UsePictures(FrameImage(), FrameImage(), FrameImage());
}

FrameImage FormGames::ViewOf(XImage* image) {
    return FrameImage::Of(image, ProbePixelChannels(this));
}

// The frame buffer is shared with the server where that can be; its pixels
// change only once the server has read the last frame.
void FormGames::AwaitServer() {
    if (surface != nullptr) surface->FinishImageTransfers();
}

void FormGames::StartLevel() {
    score = 0;
    level = 1;
    lives = 3;
}

void FormGames::CreateFrameTimer() {
    if (frameTimer != nullptr) return;
    frameTimer = new Timer(this, kTickMs);
    frameTimer->setOnElapsed([](Timer* timer) {
        if (GUIElement* parent = timer->GetParent()) AsGame(parent)->OnTick();
    });
}

void FormGames::RestartFrameThrottle() {
    tickAccumulator = 0;
}

bool FormGames::CloseGame() {
    OnBeforeClose();
    if (frameTimer != nullptr) frameTimer->Stop();
    Application::RequestQuit();
    return true;
}

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
    if (!tickGuard && surface != nullptr && bmpScreenBuffer != nullptr) {
        tickGuard = true;
        tickAccumulator += kTickMs;
        if (tickAccumulator > kFramePeriod && !busyDrawing) {
            RenderFrame();
            tickAccumulator = 0;
        }
        tickGuard = false;
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
    if (!compositor.HasDamage() && !spriteList.ChangedSinceShown() && !spriteList.AnyMoving())
        return;
    if (!deferredDrawing) {
        PutAreas(compositor.CollapseDamage());
        return;
    }
    // Drawing is let through only while the frame is composed here.
    deferredDrawing = false;
    compositor.BeginFrame();
    for (Sprite* sprite : spriteList) {
        if (sprite->persistent) continue;
        compositor.BeginSprite(sprite->Id());
        sprite->ForgetPosition();
        sprite->Draw(surface);
    }
    deferredDrawing = true;
    PutAreas(compositor.EndFrame(!surface->SharesImage(bmpScreenBuffer)));
}

void FormGames::PutAreas(const std::vector<PixelRect>& areas) {
    if (surface != nullptr && !areas.empty()) surface->DrawImageRects(bmpScreenBuffer, areas);
    compositor.FrameShown();
    spriteList.Shown();
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
    // The new background is put whole at once, from the frame buffer that
    // holds the same pixels, so that it goes through the shared memory where
    // there is some; the window then shows a frame with no sprite in it. An
    // unmapped window is given the whole frame once it is shown again.
    XImage* shown = bmpScreenBuffer != nullptr ? bmpScreenBuffer : background;
    if (shown == nullptr) return;
    compositor.UsePictures(ViewOf(background), ViewOf(backgroundCopy), ViewOf(bmpScreenBuffer));
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
    compositor.RestoreAll();
    busyDrawing = false;
}

bool FormGames::ReadyToRender(const char* message) const {
    if (surface != nullptr) return true;
    LogMessage(message);
    return false;
}

void FormGames::RenderImage(XImage* image, int x, int y, const PixelRect& part, bool persistent,
                            bool transparent) {
    if (!ReadyToRender(kNoSurfaceImage) || image == nullptr) return;
    if (compositor.HasFrame())
        compositor.Blend(ViewOf(image), x, y, part, persistent, transparent);
    else if (!compositor.Refuses(persistent))
        surface->DrawImagePart(x, y, part.w, part.h, image, part.x, part.y);
}

void FormGames::RenderPixel(int x, int y, uint32_t colour, bool persistent) {
    if (!ReadyToRender(kNoSurfaceImage)) return;
    if (compositor.HasFrame())
        compositor.SetPixel(x, y, colour, persistent);
    else if (!compositor.Refuses(persistent))
        surface->DrawPoint(x, y, static_cast<int32_t>(colour));
}

// Draws off-screen over the background copy and blends the rectangle into
// the frame for good, so it shows in every later frame, whatever the window's
// state: reading the window back would lose it, with an error, on a window
// the window manager has just unmapped. The window is shown the rectangle at
// once, as the sequences that wait without a frame need. Without a
// background yet, the drawing goes straight to the window.
void FormGames::DrawAndKeep(PixelRect rect, bool transparent, const std::function<void()>& draw) {
    busyDrawing = true;
    if (backgroundCopy == nullptr) {
        draw();
    } else if (XImage* drawn = surface->DrawOffscreen(keptPixmap, backgroundCopy, rect, draw)) {
        RenderImage(drawn, rect.x, rect.y, drawn->width, drawn->height, true, transparent);
        XDestroyImage(drawn);
        if (compositor.HasFrame() && IsWindowMapped())
            surface->DrawImageRects(bmpScreenBuffer, {rect});
    }
    busyDrawing = false;
}

void FormGames::RenderText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                           int alignment) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    const int kept = w != 0 || backgroundCopy == nullptr
                         ? w
                         : static_cast<int>(text.size()) * DrawingSurface(this).WideCharWidth();
    DrawAndKeep({x, y, kept, h}, true,
                [&] { surface->DrawTextBox(x, y, w, h, text, colour, -1, alignment); });
}

void FormGames::RenderRect(int x, int y, int w, int h, int32_t colour) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    DrawAndKeep({x, y, w, h}, false, [&] { surface->FillRect(x, y, w, h, 1, colour, colour); });
}

// The strip's pixmap is made once, at the strip's size and the background's
// depth; without a background there is nothing to draw the strip for.
void FormGames::RenderStatusStrip(const std::string& left, const std::string& centre,
                                  const std::string& right) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    const XFontStruct* font = surface->GetFontStruct();
    if (font == nullptr || background == nullptr) return;
    const int w = GetClientWidth();
    const TextStrip strip{.width = w,
                          .height = font->ascent + 15,
                          .depth = background->depth,
                          .baseline = font->ascent + 10,
                          .backColour = kNearBlack,
                          .textColour = 0xFFFFFF,
                          .texts = {{5, left},
                                    {w - 10 - surface->FontTextWidth(right), right},
                                    {(w - surface->FontTextWidth(centre)) / 2, centre}}};
    XImage* drawn = surface->DrawTextStrip(hudPixmap, strip);
    if (drawn == nullptr) return;
    RenderImage(drawn, 0, 0, strip.width, strip.height, true, false);
    XDestroyImage(drawn);
}

int FormGames::TextHeight() {
    return surface != nullptr ? surface->LineHeight() : 0;
}

}  // namespace nebulark
