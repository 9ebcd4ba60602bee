#include "gameframework/FormGames.h"

#include <algorithm>

#include "app/Application.h"
#include "app/Screen.h"
#include "app/Tick.h"
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
constexpr int32_t kStatusBackground = 0x010101;
constexpr int32_t kStatusText = 0xFFFFFF;

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
    if (surface != nullptr) surface->FreePixmap(hudPixmap);
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
    compositor.UsePictures(FrameImage(), FrameImage(), FrameImage());
}

FrameImage FormGames::ViewOf(XImage* image) {
    return FrameImage::Of(image, ProbePixelChannels(this));
}

// The frame buffer goes to the server every sixth tick, so it is shared with
// the server where that can be; its pixels are changed only once the server
// has read the last frame.
void FormGames::AwaitServer() {
    if (surface != nullptr) surface->FinishImageTransfers();
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
    frameTimer = new Timer(this, kTickMs);
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
        throttle.tickAccumulator += kTickMs;
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
    if (!compositor.HasDamage() && !spritesChanged && !ShowsMovingSprites()) return;
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

bool FormGames::ShowsMovingSprites() const {
    return std::any_of(spriteList.begin(), spriteList.end(),
                       [](const Sprite* sprite) { return !sprite->persistent; });
}

void FormGames::PutAreas(const std::vector<PixelRect>& areas) {
    if (surface != nullptr && !areas.empty()) surface->DrawImageRects(bmpScreenBuffer, areas);
    compositor.FrameShown();
    spritesChanged = false;
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
    compositor.UsePictures(ViewOf(background), ViewOf(backgroundCopy), ViewOf(bmpScreenBuffer));
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
    compositor.RestoreAll();
    busyDrawing = false;
}

void FormGames::RipristinaSfondo(int x, int y, int w, int h, bool persistent) {
    compositor.Restore(PixelRect{x, y, w, h}, persistent);
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

void FormGames::RenderImage(XImage* image, int x, int y, int w, int h, bool persistent,
                            bool transparent) {
    RenderImage(image, x, y, PixelRect{0, 0, w, h}, persistent, transparent);
}

void FormGames::RenderPixel(int x, int y, uint32_t colour, bool persistent) {
    if (!ReadyToRender(kNoSurfaceImage)) return;
    if (compositor.HasFrame())
        compositor.SetPixel(x, y, colour, persistent);
    else if (!compositor.Refuses(persistent))
        surface->DrawPoint(x, y, static_cast<int32_t>(colour));
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

// The strip's pixmap is made once, at the strip's size and the background's
// depth; without a background there is nothing to draw the strip for.
void FormGames::RenderStatusStrip(const std::string& left, const std::string& centre,
                                  const std::string& right) {
    if (!ReadyToRender(kNoSurfaceText)) return;
    const XFontStruct* font = surface->GetFontStruct();
    if (font == nullptr || background == nullptr) return;
    TextStrip strip;
    strip.width = GetClientWidth();
    strip.height = font->ascent + 15;
    strip.depth = background->depth;
    strip.baseline = font->ascent + 10;
    strip.backColour = kStatusBackground;
    strip.textColour = kStatusText;
    strip.texts = {{5, left},
                   {strip.width - 10 - surface->FontTextWidth(right), right},
                   {(strip.width - surface->FontTextWidth(centre)) / 2, centre}};
    XImage* drawn = surface->DrawTextStrip(hudPixmap, strip);
    if (drawn == nullptr) return;
    RenderImage(drawn, 0, 0, strip.width, strip.height, true, false);
    XDestroyImage(drawn);
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
