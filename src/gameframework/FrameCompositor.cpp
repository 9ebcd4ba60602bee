#include "gameframework/FrameCompositor.h"

#include <algorithm>
#include <utility>

#include "util/Log.h"

namespace nebulark {

namespace {

constexpr const char* kRestoreTooFar =
    "RipristinaSfondo(): attenzione sizeFrame > size bmpScreenBuffer";

// A restore whose rows reach past the end of either picture is cut there.
bool RowsFit(const PixelRect& rect, const FrameImage& target, const FrameImage& source) {
    if (target.Empty() || source.Empty()) return true;
    return int64_t{rect.y} + rect.h <= std::min(target.Height(), source.Height());
}

}  // namespace

FrameCompositor::FrameCompositor(const bool& deferred, std::function<void()> awaitServer)
    : deferred(deferred), awaitServer(std::move(awaitServer)) {}

void FrameCompositor::UsePictures(const FrameImage& newBackground, const FrameImage& newCopy,
                                  const FrameImage& newFrame) {
    background = newBackground;
    copy = newCopy;
    frame = newFrame;
    damage.Resize(frame.Width(), frame.Height());
    damage.Clear();
    plan.RecordEmptyFrame();
}

FrameCompositor::Effect FrameCompositor::EffectOf(bool persistent) const {
    if (persistent) return Effect::Draw;
    switch (composing) {
        case Composing::Record:
            return Effect::Record;
        case Composing::RecordAndDraw:
            return Effect::RecordAndDraw;
        case Composing::No:
            break;
    }
    return deferred ? Effect::Refused : Effect::Draw;
}

// The frame buffer may be shared with the server, which reads it after a
// put; its pixels change only once that read is over.
FrameImage& FrameCompositor::AwaitFrame() {
    if (awaitServer) awaitServer();
    return frame;
}

void FrameCompositor::Wrote(const PixelRect& rect, bool persistent) {
    damage.Add(rect);
    if (!persistent && composing == Composing::No) plan.ForgetLastFrame();
}

void FrameCompositor::Restore(const PixelRect& rect, bool persistent) {
    const Effect effect = EffectOf(persistent);
    if (effect == Effect::Refused) return;
    const FrameImage& source = persistent ? background : copy;
    if (effect == Effect::Record) {
        plan.AddRestore(frame.ClipRect(source, rect));
        return;
    }
    bool fits = RowsFit(rect, frame, source);
    const PixelRect restored = AwaitFrame().CopyRectFrom(source, rect);
    if (effect == Effect::RecordAndDraw) plan.AddRestore(restored);
    if (persistent) {
        copy.CopyRectFrom(source, rect);
        fits = fits && RowsFit(rect, copy, source);
    }
    if (!fits) LogMessage(kRestoreTooFar);
    Wrote(restored, persistent);
}

void FrameCompositor::Blend(const FrameImage& source, int x, int y, const PixelRect& part,
                            bool persistent, bool transparent) {
    const Effect effect = EffectOf(persistent);
    if (effect == Effect::Refused) return;
    const PixelCopy clipped = frame.ClipBlend(source, x, y, part);
    if (effect == Effect::Record || effect == Effect::RecordAndDraw)
        plan.AddBlend(source, clipped, transparent);
    if (effect == Effect::Record) return;
    AwaitFrame().Blend(source, clipped, transparent, persistent ? &copy : nullptr);
    Wrote(clipped.at, persistent);
}

void FrameCompositor::SetPixel(int x, int y, uint32_t colour, bool persistent) {
    const Effect effect = EffectOf(persistent);
    if (effect == Effect::Refused) return;
    if (x < 0 || y < 0 || x >= frame.Width() || y >= frame.Height()) return;
    if (effect == Effect::Record || effect == Effect::RecordAndDraw) plan.AddPixel(x, y, colour);
    if (effect == Effect::Record) return;
    AwaitFrame().SetPixel(x, y, colour);
    if (persistent) copy.SetPixel(x, y, colour);
    Wrote(PixelRect{x, y, 1, 1}, persistent);
}

void FrameCompositor::RestoreAll() {
    copy.CopyAllFrom(background);
    AwaitFrame().CopyAllFrom(background);
    damage.AddWhole();
}

// Whole, the frame is composed as the sprites draw: the background copy, then
// every sprite over it. Otherwise the sprites' drawing is only recorded.
void FrameCompositor::BeginFrame() {
    composingWhole = damage.Whole() || !plan.LastFrameKnown();
    if (composingWhole) {
        damage.AddWhole();
        AwaitFrame().CopyAllFrom(copy);
    }
    composing = composingWhole ? Composing::RecordAndDraw : Composing::Record;
    plan.BeginFrame();
}

// In part, the areas where the recorded frame differs from the last one are
// composed again alone. Where every pixel put goes through the connection,
// only the parts whose pixels changed are put, with all of what was written
// into the buffer since the last frame (which the buffer held before the
// composition).
const std::vector<PixelRect>& FrameCompositor::EndFrame(bool putSendsPixels) {
    composing = Composing::No;
    if (!composingWhole) written = damage.CollapseToRects();
    plan.CollectChanges(damage);
    if (composingWhole) return damage.CollapseToRects();
    changed.clear();
    if (damage.Empty()) return changed;
    FrameImage& target = AwaitFrame();
    for (const PixelRect& area : damage.CollapseToRects()) {
        PixelRect part = plan.Compose(target, copy, area, putSendsPixels);
        for (const PixelRect& rect : written)
            part = part.Bounds(rect.Intersection(area));
        if (!part.Empty()) changed.push_back(part);
    }
    return changed;
}

}  // namespace nebulark
