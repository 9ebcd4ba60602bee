#pragma once

#include <cstdint>
#include <vector>

#include "gameframework/FrameImage.h"
#include "util/DamageRegion.h"
#include "util/PixelRect.h"

namespace nebulark {

// What each sprite drew into the frame being composed, step by step, beside
// what it drew into the frame before; from the two follows where the frames
// differ, and the frame can be drawn again within any rectangle alone.
//
// A step is a blend of a picture's rectangle, a pixel, or a rectangle of the
// background restored, each already clipped to the frame. A sprite is known
// by its id; it counts as unchanged when its steps equal those of the last
// frame and it is still drawn in the same order relative to the other
// unchanged sprites. Pictures are told apart by their pixels' address, so a
// picture replaced under a sprite needs a new background (which the frame
// takes whole) to show.
class FramePlan {
public:
    // Starts a frame: the one recorded so far becomes the last frame.
    void BeginFrame();
    void BeginSprite(int id);
    void AddBlend(const FrameImage& source, const PixelCopy& clipped, bool transparent);
    void AddPixel(int x, int y, uint32_t colour);
    void AddRestore(const PixelRect& rect);

    // The frame being recorded is one with no sprite at all (a fresh
    // background), and known: after the next BeginFrame it is the last frame.
    void RecordEmptyFrame();
    // What the last frame showed is not known (its sprites were drawn
    // without being recorded); the next frame's changes then cover it whole.
    void ForgetLastFrame();
    bool LastFrameKnown() const { return lastKnown; }

    // Adds where the frame being recorded differs from the last one; all of
    // it when the last frame is not known. The recorded frame is then known.
    void CollectChanges(DamageRegion& damage);
    // Draws the recorded frame within `area`: the background's pixels, then
    // every sprite that reaches into the area, in order. Answers the area, or
    // with `findChanged` the part of it whose pixels changed (a sprite drawn
    // again where it was, or the blank edges of a moved one, change nothing),
    // which takes a copy and a comparison of the area's pixels.
    PixelRect Compose(FrameImage& target, const FrameImage& background, const PixelRect& area,
                      bool findChanged);

private:
    struct Step {
        enum class Kind : uint8_t { Blend, Pixel, Restore };
        Kind kind = Kind::Pixel;
        bool transparent = false;
        // Where the step writes and, for a blend, where it reads the source.
        PixelCopy copy;
        uint32_t colour = 0;
        FrameImage source;

        bool SameAs(const Step& other) const;
        void DrawWithin(FrameImage& target, const FrameImage& background,
                        const PixelRect& area) const;
    };
    struct SpriteSteps {
        int id = 0;
        size_t first = 0;
        size_t end = 0;
        PixelRect box;
    };
    struct Frame {
        std::vector<Step> steps;
        std::vector<SpriteSteps> sprites;
        void Clear();
        bool SameSteps(const SpriteSteps& mine, const Frame& other,
                       const SpriteSteps& theirs) const;
    };

    Frame current;
    Frame last;
    bool lastKnown = false;
    // The last frame's sprites by id (id, place in its list), and which of
    // them the frame being recorded still draws.
    std::vector<std::pair<int, size_t>> lastById;
    std::vector<bool> stillDrawn;
    // The pixels of an area before it is composed again.
    std::vector<uint8_t> before;

    void Add(const Step& step);
    size_t FindInLast(int id);
};

}  // namespace nebulark
