#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <string>
#include <vector>

#include "gameframework/FrameCompositor.h"
#include "gameframework/FrameImage.h"
#include "gameframework/HeldKeyTable.h"
#include "util/PixelRect.h"
#include "widgets/Form.h"

namespace nebulark {

class DrawingSurface;
class Screen;
class Sprite;
class Timer;

// The form a frame-based game is made from. Each frame is composed off-screen
// in `bmpScreenBuffer` from `backgroundCopy` (the background plus everything
// drawn on it for good) and the sprite list, and put on the window. A timer
// firing every tick drives the game; every sixth tick composes a frame.
//
// The pixel work, and the decision of what each write into the pictures
// does, belong to the form's FrameCompositor; the form makes the pictures,
// draws what the toolkit draws (texts, rectangles, the status strip) and puts
// the rectangles the compositor names on the window.
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
    // Blends the rectangle `part` of the image with its top-left corner at
    // (x, y).
    void RenderImage(XImage* image, int x, int y, const PixelRect& part, bool persistent,
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
    void InvalidateFrame() { compositor.InvalidateAll(); }

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
    FrameCompositor compositor{deferredDrawing, [this] { AwaitServer(); }};
    // The sprite list has changed since the last frame.
    bool spritesChanged = true;

    FrameImage ViewOf(XImage* image);
    // Waits until the server has read the frame buffer put last.
    void AwaitServer();
    bool ShowsMovingSprites() const;
    // Puts the areas of the frame buffer; the window then shows all of it.
    void PutAreas(const std::vector<PixelRect>& areas);
    void ShowNewBackground();
    void ReleaseImages();
    void BlendCapture(int x, int y, int w, int h, bool transparent);
    void InstallForwarders();
    bool ReadyToRender(const char* message) const;
};

}  // namespace nebulark
