// Converting an 800 × 600 RGB picture into a server image, beside a plain
// memcpy of the same source bytes and a straightforward per-pixel loop. The
// conversion needs an X server for its probe and its image records, so the
// program starts a private Xvfb of its own.
#include <benchmark/benchmark.h>

#include <cstdlib>
#include <cstring>
#include <memory>
#include <vector>

#include "app/Screen.h"
#include "controls/MyImage.h"
#include "images/PixelPlacement.h"
#include "support/XvfbServer.h"
#include "widgets/Form.h"
#include "widgets/XImageConversion.h"

using namespace nebulark;

namespace {

constexpr int kWidth = 800;
constexpr int kHeight = 600;
constexpr int64_t kSourceBytes = int64_t{kWidth} * kHeight * 3;

class PlainForm : public Form {
public:
    PlainForm() : Form(0) {}
};

// One server, connection and mapped form for the whole run.
struct Session {
    Session() {
        if (!server.Start()) return;
        setenv("DISPLAY", server.DisplayName().c_str(), 1);
        screen = std::make_unique<nebulark::Screen>("bench");
        form.SetScreen(screen.get());
        form.SetSize(kWidth, kHeight);
        form.Create();
        XSync(screen->GetDisplay(), False);
    }
    bool Ready() const { return screen != nullptr && screen->GetDisplay() != nullptr; }

    test::XvfbServer server;
    std::unique_ptr<nebulark::Screen> screen;
    PlainForm form;
};

Session& session() {
    static Session instance;
    return instance;
}

RgbBuffer picture() {
    RgbBuffer rgb = RgbBuffer::allocate(kWidth, kHeight);
    uint32_t seed = 1;
    for (size_t i = 0; i < rgb.size(); ++i) {
        seed = seed * 1103515245u + 12345u;
        rgb.data()[i] = static_cast<unsigned char>(seed >> 16);
    }
    return rgb;
}

// The conversion written the obvious way: a zeroed buffer, then every
// channel of every pixel stored at its probed position.
void straightforwardLoop(const RgbBuffer& rgb, unsigned char* target, int bytesPerPixel) {
    const unsigned char* source = rgb.data();
    const size_t pixels = static_cast<size_t>(rgb.width()) * static_cast<size_t>(rgb.height());
    const int red = MyImage::ixRosso, green = MyImage::ixVerde, blue = MyImage::ixBlu;
    std::memset(target, 0, pixels * static_cast<size_t>(bytesPerPixel));
    for (size_t i = 0; i < pixels; ++i) {
        unsigned char* pixel = target + i * static_cast<size_t>(bytesPerPixel);
        pixel[red] = source[3 * i];
        pixel[green] = source[3 * i + 1];
        pixel[blue] = source[3 * i + 2];
    }
}

XImage* straightforwardConversion(const RgbBuffer& rgb) {
    MyImage::probePixelLayout(&session().form);
    const int bytesPerPixel = MyImage::bitsPerPixel / 8;
    auto* target = new unsigned char[static_cast<size_t>(kSourceBytes / 3 * bytesPerPixel)];
    straightforwardLoop(rgb, target, bytesPerPixel);
    nebulark::Screen& screen = *session().screen;
    return XCreateImage(screen.GetDisplay(), screen.GetVisualInfo()->visual,
                        static_cast<unsigned>(MyImage::depth), MyImage::format, MyImage::xoffset,
                        reinterpret_cast<char*>(target), kWidth, kHeight, MyImage::bitmapPad,
                        kWidth * bytesPerPixel);
}

// Megabytes (10^6 bytes) of RGB source handled per second of CPU time.
void reportSourceRate(benchmark::State& state) {
    state.counters["source_MB"] = benchmark::Counter(
        static_cast<double>(state.iterations()) * static_cast<double>(kSourceBytes) / 1e6,
        benchmark::Counter::kIsRate);
}

bool skipWithoutServer(benchmark::State& state) {
    if (session().Ready()) {
        MyImage::probePixelLayout(&session().form);
        return false;
    }
    state.SkipWithError("no X server (is Xvfb installed?)");
    return true;
}

void Memcpy(benchmark::State& state) {
    const RgbBuffer rgb = picture();
    std::vector<unsigned char> target(rgb.size());
    for (auto _ : state) {
        std::memcpy(target.data(), rgb.data(), rgb.size());
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    reportSourceRate(state);
}
BENCHMARK(Memcpy);

// The pixel work alone, into a buffer made once.
void StraightforwardLoop(benchmark::State& state) {
    if (skipWithoutServer(state)) return;
    const RgbBuffer rgb = picture();
    const int bytesPerPixel = MyImage::bitsPerPixel / 8;
    std::vector<unsigned char> target(rgb.size() / 3 * static_cast<size_t>(bytesPerPixel));
    for (auto _ : state) {
        straightforwardLoop(rgb, target.data(), bytesPerPixel);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    reportSourceRate(state);
}
BENCHMARK(StraightforwardLoop);

void PlaceRgbPixels(benchmark::State& state) {
    if (skipWithoutServer(state)) return;
    const RgbBuffer rgb = picture();
    const PixelChannels placement{MyImage::bitsPerPixel / 8, MyImage::ixRosso, MyImage::ixVerde,
                                  MyImage::ixBlu};
    const size_t stride = static_cast<size_t>(kWidth * placement.bytesPerPixel);
    std::vector<unsigned char> target(stride * kHeight);
    for (auto _ : state) {
        placeRgbPixels(rgb, placement, target.data(), stride);
        benchmark::DoNotOptimize(target.data());
        benchmark::ClobberMemory();
    }
    reportSourceRate(state);
}
BENCHMARK(PlaceRgbPixels);

// Whole conversions: allocation, pixel work, the image record and its release.
void StraightforwardConversion(benchmark::State& state) {
    if (skipWithoutServer(state)) return;
    const RgbBuffer rgb = picture();
    for (auto _ : state) {
        XImage* image = straightforwardConversion(rgb);
        benchmark::DoNotOptimize(image->data);
        destroyXImage(image);
    }
    reportSourceRate(state);
}
BENCHMARK(StraightforwardConversion);

void CreateXImageFromRgb(benchmark::State& state) {
    if (skipWithoutServer(state)) return;
    const RgbBuffer rgb = picture();
    for (auto _ : state) {
        XImage* image = createXImageFromRgb(&session().form, rgb);
        benchmark::DoNotOptimize(image->data);
        destroyXImage(image);
    }
    reportSourceRate(state);
}
BENCHMARK(CreateXImageFromRgb);

}  // namespace
