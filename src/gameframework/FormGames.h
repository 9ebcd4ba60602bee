#pragma once

#include <X11/Xlib.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "gameframework/FrameCompositor.h"
#include "gameframework/FrameImage.h"
#include "gameframework/HeldKeyTable.h"
#include "gameframework/Sprite.h"
#include "gameframework/SpriteList.h"
#include "util/PixelRect.h"
#include "widgets/Form.h"

namespace nebulark {

class DrawingSurface;
class Screen;
class Timer;

// The form a frame-based game is made from. A timer firing every tick drives
// the game; every sixth tick a frame is composed off-screen in
// `bmpScreenBuffer` from `backgroundCopy` (the background plus everything
// drawn on it for good) and the sprite list, by the form's FrameCompositor,
// and the rectangles it names are put on the window.
class FormGames : public Form {
public:
    FormGames(Screen* screen, const std::string& title);
    FormGames(Screen* screen, const std::string& title, int32_t w, int32_t h);
    ~FormGames() override;

    void Paint() override;
    void OnTick() override;
    // The keys held when the window lost the keyboard are let go elsewhere.
    void OnKeyboardLost() override {
        heldKeys.Clear();
        Form::OnKeyboardLost();
    }

    // The game's operations; a game changes its reactions by overriding these.
    virtual void RunApp() {}
    virtual void StartLevel();
    virtual void CreateFrameTimer();
    virtual bool CloseGame();
    virtual void GameResized() {}
    virtual void RenderFrame();
    virtual bool KeyTyped(char) { return true; }
    virtual void KeyPressed(KeySym keysym) { heldKeys.Press(keysym); }
    virtual void KeyReleased(KeySym keysym) { heldKeys.Release(keysym); }
    virtual void SpareHook() {}
    // A click on a disabled form brings its modal child forward.
    virtual void MouseReleased(Point) {
        if (!IsEnabled() && modalChild != nullptr) modalChild->Show();
    }
    virtual void MousePressed(Point) {}

    // Loads a raw RGB picture of the form's size as the new background.
    void RenderSfondo(const std::string& path);
    // Restores both buffers from the loaded background.
    void RenderSfondo();
    void RipristinaSfondo(int x, int y, int w, int h, bool persistent) {
        compositor.Restore(PixelRect{x, y, w, h}, persistent);
    }
    // Blends the rectangle `part` of the image with its top-left corner at
    // (x, y).
    void RenderImage(XImage* image, int x, int y, const PixelRect& part, bool persistent,
                     bool transparent);
    void RenderImage(XImage* image, int x, int y, int w, int h, bool persistent, bool transparent) {
        RenderImage(image, x, y, PixelRect{0, 0, w, h}, persistent, transparent);
    }
    void RenderPixel(int x, int y, uint32_t colour, bool persistent);
    void RenderText(int x, int y, int w, int h, const std::string& text, int32_t colour,
                    int alignment);
    void RenderText(int x, int y, const std::string& text, int32_t colour) {
        RenderText(x, y, 0, 18, text, colour, 0);
    }
    void RenderRect(int x, int y, int w, int h, int32_t colour);
    int TextHeight();
    // A status strip across the top of the frame, drawn for good: white texts
    // on near-black in the surface's font, one at the left, one centred and
    // one at the right. It is drawn off-screen in `hudPixmap` and read back.
    void RenderStatusStrip(const std::string& left, const std::string& centre,
                           const std::string& right);

    bool IsKeyHeld(KeySym keysym) const { return heldKeys.IsHeld(keysym); }
    void SetSingleKeyMode(bool value) { heldKeys.singleKeyMode = value; }

    void AddSprite(Sprite* sprite) { spriteList.Add(sprite); }
    void RemoveSprite(Sprite* sprite) { spriteList.Remove(sprite); }
    void ClearSprites() { spriteList.Clear(); }
    int SpriteCount() const { return spriteList.Count(); }
    Sprite* SpriteAt(int index) const { return spriteList.At(index); }
    void DrawSprite(Sprite* sprite) {
        if (sprite != nullptr) sprite->Draw(surface);
    }
    void EraseSprite(Sprite* sprite) {
        if (sprite != nullptr) sprite->Erase(surface);
    }

    // The next frame is composed six ticks from now, so that a game played
    // again shows its frames at the same ticks as it did.
    void RestartFrameThrottle();
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
    // The colour behind the form and its status strip.
    static constexpr int32_t kNearBlack = 0x010101;

    XImage* background = nullptr;
    XImage* backgroundCopy = nullptr;
    XImage* bmpScreenBuffer = nullptr;
    Pixmap hudPixmap = 0;
    // Where persistent texts and rectangles are drawn before they are kept.
    Pixmap keptPixmap = 0;
    HeldKeyTable heldKeys;
    Timer* frameTimer = nullptr;
    bool busyDrawing = false;
    SpriteList spriteList;
    DrawingSurface* surface = nullptr;

private:
    FrameCompositor compositor{deferredDrawing, [this] { AwaitServer(); }};

    FrameImage ViewOf(XImage* image);
    // Waits until the server has read the frame buffer put last.
    void AwaitServer();
    // Puts the areas of the frame buffer; the window then shows all of it.
    void PutAreas(const std::vector<PixelRect>& areas);
    void ReleaseImages();
    void DrawAndKeep(PixelRect rect, bool transparent, const std::function<void()>& draw);
    void InstallForwarders();
    bool ReadyToRender(const char* message) const;
};

}  // namespace nebulark
