#pragma once

#include <cstdint>
#include <functional>
#include <vector>

#include "gameframework/FrameImage.h"
#include "gameframework/FramePlan.h"
#include "util/DamageRegion.h"
#include "util/PixelRect.h"

namespace nebulark {

// Composes a game's frames in memory, at the cost of what changed, and says
// which rectangles of the frame buffer the window must be given. It needs no
// display: its owner makes the pictures and puts the rectangles.
//
// It works on three pictures of one size: the background as loaded, the
// background copy (the background plus everything drawn on it for good) and
// the frame buffer. Every write into them passes here, and here alone it is
// decided what a write does: it is drawn, recorded as a step of the sprite
// being drawn, both, or refused. A persistent write is always drawn, into the
// frame buffer and the background copy. A sprite's write is drawn at once
// when nothing is composed and drawing is not deferred, and refused when it
// is; while a frame is composed it is recorded, and drawn as well only when
// the frame is composed whole.
//
// Each frame finds which sprites drew otherwise than in the frame before
// (added, removed, moved, another picture). Only those areas are composed
// again, from the background copy and the sprites that reach into them in
// list order, and only they are put, so the window always shows what a
// composition of the whole frame would. A window that lost what it showed, or
// a background restored whole, gets the whole frame.
class FrameCompositor {
public:
    // `deferred` is the owner's switch: while it is on, sprites reach the
    // frame buffer only while a frame is composed. `awaitServer` is called
    // before the frame buffer's pixels change; it waits until the server has
    // read the last frame put.
    FrameCompositor(const bool& deferred, std::function<void()> awaitServer);

    // A new background's pictures, of one size; empty views take them away.
    // The frame buffer then holds a frame with no sprite in it, which the
    // owner puts whole.
    void UsePictures(const FrameImage& background, const FrameImage& copy, const FrameImage& frame);
    bool HasFrame() const { return !frame.Empty(); }
    // Whether a write made now would be refused; with no frame buffer, the
    // owner draws what is not refused straight on the window.
    bool Refuses(bool persistent) const { return EffectOf(persistent) == Effect::Refused; }

    // The writes. Each is clipped to the pictures; a persistent restore comes
    // from the background, a sprite's from the background copy.
    void Restore(const PixelRect& rect, bool persistent);
    void Blend(const FrameImage& source, int x, int y, const PixelRect& part, bool persistent,
               bool transparent);
    void SetPixel(int x, int y, uint32_t colour, bool persistent);
    // Both buffers from the background, whole.
    void RestoreAll();

    // The window no longer shows the frame: the next one is put whole.
    void InvalidateAll() { damage.AddWhole(); }
    // Something was written that the window does not show yet.
    bool HasDamage() const { return !damage.Empty(); }

    // A frame composed from the sprites' drawing: BeginFrame, then
    // BeginSprite before each sprite draws, then EndFrame, which answers the
    // rectangles to put. With `putSendsPixels` (no memory shared with the
    // server), they are cut to the pixels that changed.
    void BeginFrame();
    void BeginSprite(int id) { plan.BeginSprite(id); }
    const std::vector<PixelRect>& EndFrame(bool putSendsPixels);
    // For a frame the sprites drew straight into the buffer: collapses what
    // was written since the last frame put into the rectangles to put.
    const std::vector<PixelRect>& CollapseDamage() { return damage.CollapseToRects(); }
    // The owner has put the rectangles: the window shows the frame buffer.
    void FrameShown() { damage.Clear(); }

private:
    enum class Effect { Refused, Draw, Record, RecordAndDraw };
    enum class Composing { No, Record, RecordAndDraw };

    const bool& deferred;
    std::function<void()> awaitServer;
    FrameImage background;
    FrameImage copy;
    FrameImage frame;
    // The parts of the frame buffer the window does not show as they are;
    // those written into it between frames; and those that a frame composed
    // in part has changed.
    DamageRegion damage;
    std::vector<PixelRect> written;
    std::vector<PixelRect> changed;
    FramePlan plan;
    Composing composing = Composing::No;
    bool composingWhole = false;

    Effect EffectOf(bool persistent) const;
    // Waits for the server, then answers the frame buffer to write into.
    FrameImage& AwaitFrame();
    // A write drawn into the frame buffer: the window must be given the
    // rectangle. Drawn outside a composition, a sprite's picture is one the
    // plan knows nothing of.
    void Wrote(const PixelRect& rect, bool persistent);
};

}  // namespace nebulark
