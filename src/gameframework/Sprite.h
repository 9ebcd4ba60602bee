#pragma once

#include <X11/Xlib.h>
#include <X11/Xutil.h>

#include <string>

#include "gameframework/FrameImage.h"
#include "gameframework/GameElement.h"
#include "widgets/Geometry.h"

namespace nebulark {

class FormGames;

// A rectangle of the playing area with a strip of picture frames stacked one
// below the other. It draws itself into its game form's frame and knows
// whether it touches another sprite; what it does over time lives in the
// strategies (SpriteAnim) that drive it.
class Sprite : public GameElement {
public:
    // The strip is shared by all sprites of a kind and is not owned.
    Sprite(FormGames* owner, XImage* image, int width, int height);
    ~Sprite() override = default;
    Sprite(const Sprite&) = delete;
    Sprite& operator=(const Sprite&) = delete;

    void Erase(DrawingSurface* surface) override;
    virtual void SetFrame(int index);
    virtual void Draw(DrawingSurface* surface);
    virtual void FrameChanged(int index);
    virtual void SpriteHookA();
    virtual int SpriteQuery();
    virtual void SpriteHookB();
    virtual void SpriteHookC();

    void PlaceAt(int newX, int newY);
    Point Position() const { return Point{x, y}; }
    Size Dimensions() const { return Size{width, height}; }
    int Id() const { return id; }
    int FrameIndex() const { return frame - 1; }
    // Both rectangles shrunk by their insets on every side; touching edges do
    // not collide.
    bool CollidesWith(const Sprite& other, int inset, int otherInset) const;
    // Restores the background under a rectangle clipped to the form.
    void RestoreUnder(int rx, int ry, int rw, int rh);
    // Where the sprite was last drawn is forgotten, so the next Draw cleans
    // nothing up.
    void ForgetPosition();
    bool IsDrawn() const { return drawn; }

    // How many sprites the process has made; the newest one's id.
    static int SpriteCounter();

    std::string name = "sprite";
    bool persistent = false;
    bool transparent = true;

protected:
    FormGames* owner;
    XImage* image;
    int width;
    int height;
    int frame = 1;
    int shownFrame = -1;
    int x = 0;
    int y = 0;
    bool drawn = false;
    int id;
    int prevX = -1;
    int prevY = -1;

private:
    // Where the current frame lies in the strip, cut to the strip; empty for
    // a frame outside it.
    PixelRect FramePart() const;
    bool ReachesIntoForm() const;
};

}  // namespace nebulark
