#include "gameframework/FramePlan.h"

#include <algorithm>

namespace nebulark {

bool FramePlan::Step::SameAs(const Step& other) const {
    if (kind != other.kind || !(copy == other.copy)) return false;
    switch (kind) {
        case Kind::Blend:
            return transparent == other.transparent && source.Pixels() == other.source.Pixels();
        case Kind::Pixel:
            return colour == other.colour;
        case Kind::Restore:
            return true;
    }
    return false;
}

void FramePlan::Step::DrawWithin(FrameImage& target, const FrameImage& background,
                                 const PixelRect& area) const {
    // The step was clipped to the frame when it was recorded; its part within
    // the area lies inside it, and so inside both pictures.
    const PixelRect part = copy.at.Intersection(area);
    if (part.Empty()) return;
    switch (kind) {
        case Kind::Blend:
            target.Blend(source,
                         PixelCopy{part, copy.sourceX + part.x - copy.at.x,
                                   copy.sourceY + part.y - copy.at.y},
                         transparent);
            break;
        case Kind::Pixel:
            target.SetPixel(part.x, part.y, colour);
            break;
        case Kind::Restore:
            target.CopyRectFrom(background, part);
            break;
    }
}

void FramePlan::Frame::Clear() {
    steps.clear();
    sprites.clear();
}

bool FramePlan::Frame::SameSteps(const SpriteSteps& mine, const Frame& other,
                                 const SpriteSteps& theirs) const {
    if (mine.end - mine.first != theirs.end - theirs.first) return false;
    for (size_t i = 0; i < mine.end - mine.first; ++i)
        if (!steps[mine.first + i].SameAs(other.steps[theirs.first + i])) return false;
    return true;
}

void FramePlan::BeginFrame() {
    std::swap(current, last);
    current.Clear();
}

void FramePlan::BeginSprite(int id) {
    const size_t at = current.steps.size();
    current.sprites.push_back(SpriteSteps{id, at, at, PixelRect{}});
}

void FramePlan::Add(const Step& step) {
    if (step.copy.at.Empty() || current.sprites.empty()) return;
    current.steps.push_back(step);
    SpriteSteps& sprite = current.sprites.back();
    sprite.end = current.steps.size();
    sprite.box = sprite.box.Bounds(step.copy.at);
}

void FramePlan::AddBlend(const FrameImage& source, const PixelCopy& clipped, bool transparent) {
    Step step;
    step.kind = Step::Kind::Blend;
    step.transparent = transparent;
    step.copy = clipped;
    step.source = source;
    Add(step);
}

void FramePlan::AddPixel(int x, int y, uint32_t colour) {
    Step step;
    step.copy.at = PixelRect{x, y, 1, 1};
    step.colour = colour;
    Add(step);
}

void FramePlan::AddRestore(const PixelRect& rect) {
    Step step;
    step.kind = Step::Kind::Restore;
    step.copy.at = rect;
    Add(step);
}

void FramePlan::RecordEmptyFrame() {
    current.Clear();
    lastKnown = true;
}

void FramePlan::ForgetLastFrame() {
    lastKnown = false;
}

// An unchanged sprite must also keep its order among the other unchanged
// ones, or where two of them overlap the other would now be on top: one found
// earlier in the last frame than an unchanged sprite before it counts as
// changed.
void FramePlan::CollectChanges(DamageRegion& damage) {
    const bool known = lastKnown;
    lastKnown = true;
    if (!known) damage.AddWhole();
    if (damage.Whole()) return;
    lastById.clear();
    for (size_t i = 0; i < last.sprites.size(); ++i)
        lastById.emplace_back(last.sprites[i].id, i);
    std::sort(lastById.begin(), lastById.end());
    stillDrawn.assign(last.sprites.size(), false);
    size_t latest = 0;
    bool anyKept = false;
    for (const SpriteSteps& sprite : current.sprites) {
        const size_t found = FindInLast(sprite.id);
        if (found == last.sprites.size()) {
            damage.Add(sprite.box);
            continue;
        }
        stillDrawn[found] = true;
        const SpriteSteps& before = last.sprites[found];
        if ((!anyKept || found > latest) && current.SameSteps(sprite, last, before)) {
            latest = found;
            anyKept = true;
            continue;
        }
        // A sprite moved by a step or shown in another frame covers much the
        // same place: the two boxes go in as one.
        if (before.box.Meets(sprite.box)) {
            damage.Add(before.box.Bounds(sprite.box));
        } else {
            damage.Add(before.box);
            damage.Add(sprite.box);
        }
    }
    for (size_t i = 0; i < last.sprites.size(); ++i)
        if (!stillDrawn[i]) damage.Add(last.sprites[i].box);
}

// A sprite listed twice is matched once per listing.
size_t FramePlan::FindInLast(int id) {
    auto entry = std::lower_bound(lastById.begin(), lastById.end(), std::make_pair(id, size_t{0}));
    for (; entry != lastById.end() && entry->first == id; ++entry)
        if (!stillDrawn[entry->second]) return entry->second;
    return last.sprites.size();
}

PixelRect FramePlan::Compose(FrameImage& target, const FrameImage& background,
                             const PixelRect& area, bool findChanged) {
    if (findChanged) target.CopyOut(area, before);
    target.CopyRectFrom(background, area);
    for (const SpriteSteps& sprite : current.sprites) {
        if (!sprite.box.Meets(area)) continue;
        for (size_t i = sprite.first; i < sprite.end; ++i)
            current.steps[i].DrawWithin(target, background, area);
    }
    return findChanged ? target.ChangedFrom(before, area) : area;
}

}  // namespace nebulark
