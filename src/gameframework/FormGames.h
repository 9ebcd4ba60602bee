#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gameframework/FrameImage.h"
#include "gameframework/FramePlan.h"
#include "gameframework/HeldKeyTable.h"
#include "util/DamageRegion.h"
#include "widgets/Form.h"

namespace nebulark {

class DrawingSurface;
class Screen;
class Sprite;
class Timer;

// The form a frame-based game is made from. Each frame is composed off-screen
// in `bmpScreenBuffer` from `backgroundCopy` (the background plus everything
// drawn on it for good) and the sprite list, and put on the window. A 10 ms
// timer drives the game; every sixth tick composes a frame.
//
// A frame costs only what changed: every write into the buffers marks its
// rectangle, and each frame finds which sprites drew otherwise than in the
// frame before (added, removed, moved, another picture). Only those areas are
// composed again, from the background copy and the sprites that reach into
// them in list order, and only they are put on the window, so the window
// always shows what a composition of the whole frame would. An exposure or a
// background restored whole composes and puts the whole frame.
class FormGames : public Form {
public:
    FormGames(Screen* screen, const std::string& title);
    FormGames(Screen* screen, const std::string& title, int32_t w, int32_t h);
    ~FormGames() override;

    void Paint() override;
    void OnTick() override;
    // The keys held when the window lost the keyboard are let go elsewhere.
    void OnKeyboardLost() override;

    // The game's operations; a game changes its reactions by overriding these.
    virtual void RunApp();
    virtual void StartLevel();
    virtual void CreateFrameTimer();
    virtual bool CloseGame();
    virtual void GameResized();
    virtual void RenderFrame();
    virtual bool KeyTyped(char character);
    virtual void KeyPressed(KeySym keysym);
    virtual void KeyReleased(KeySym keysym);
    virtual void SpareHook();
    virtual void MouseReleased(Point point);
    virtual void MousePressed(Point point);

    // Loads a raw RGB picture of the form's size as the new background.
    void RenderSfondo(const std::string& path);
    // Restores both buffers from the loaded background.
    void RenderSfondo();
    void RipristinaSfondo(int x, int y, int w, int h, bool persistent);
    void RenderImage(XImage* image, int x, int y, SourceRect rect, bool persistent,
                     bool transparent);
    void RenderImage(XImage* image, int x, int y, int w, int h, bool persistent, bool transparent);
    void RenderPixel(int x, int y, uint32_t colour, bool persistent);
    void RenderText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                    int alignment);
    void RenderText(int x, int y, const std::string& text, int32_t colour);
    void RenderRect(int x, int y, int w, int h, int32_t colour);
    int TextHeight();
    // A status strip across the top of the frame, drawn for good: white texts
    // on near-black in the surface's font, one at the left, one centred and
    // one at the right. It is drawn off-screen in `hudPixmap` and read back.
    void RenderStatusStrip(const std::string& left, const std::string& centre,
                           const std::string& right);

    bool IsKeyHeld(KeySym keysym) const { return heldKeys.IsHeld(keysym); }
    void SetSingleKeyMode(bool value) { heldKeys.singleKeyMode = value; }

    void AddSprite(Sprite* sprite);
    void RemoveSprite(Sprite* sprite);
    void ClearSprites();
    int SpriteCount() const { return static_cast<int>(spriteList.size()); }
    Sprite* SpriteAt(int index) const;
    void DrawSprite(Sprite* sprite);
    void EraseSprite(Sprite* sprite);

    // The window has lost what it showed: the next frame is put whole.
    void InvalidateFrame() { damage.AddWhole(); }

    DrawingSurface* GetSurface() const { return surface; }
    Timer* GetFrameTimer() const { return frameTimer; }
    XImage* GetBackground() const { return background; }
    XImage* GetBackgroundCopy() const { return backgroundCopy; }
    XImage* GetScreenBuffer() const { return bmpScreenBuffer; }
    bool IsBusyDrawing() const { return busyDrawing; }

    int level = 1;
    int lives = 3;
    int score = 0;
    bool deferredDrawing = false;

protected:
    XImage* background = nullptr;
    XImage* backgroundCopy = nullptr;
    XImage* bmpScreenBuffer = nullptr;
    Pixmap hudPixmap = 0;
    HeldKeyTable heldKeys;
    Timer* frameTimer = nullptr;
    bool busyDrawing = false;
    std::vector<Sprite*> spriteList;
    DrawingSurface* surface = nullptr;

private:
    // While a frame is composed, sprites' drawing is recorded in `plan`; it
    // reaches the frame buffer at once only when the frame is composed whole.
    enum class Composing { No, Record, RecordAndDraw };

    // The parts of the frame buffer the window does not show as they are;
    // those written into it between frames; and those that a frame composed
    // in part has changed.
    DamageRegion damage;
    std::vector<PixelRect> written;
    std::vector<PixelRect> changed;
    FramePlan plan;
    Composing composing = Composing::No;
    // The sprite list has changed since the last frame.
    bool spritesChanged = true;

    FrameImage View(XImage* image);
    FrameImage ViewUnsettled(XImage* image) const;
    bool ShowsMovingSprites() const;
    bool ComposeFrame();
    void RecordSprites();
    // Puts the areas of the frame buffer; the window then shows all of it.
    void PutAreas(const std::vector<PixelRect>& areas);
    // A write into the frame buffer: the window must be given the rectangle.
    // Drawn outside a composition, a sprite's picture is one the plan knows
    // nothing of.
    void Wrote(const PixelRect& rect, bool persistent);
    void ShowNewBackground();
    void ReleaseImages();
    void BlendCapture(int x, int y, int w, int h, bool transparent);
    bool EnsureHudPixmap(Display* display, int w, int h);
    void InstallForwarders();
    bool ReadyToRender(const char* message) const;
};

}  // namespace nebulark
