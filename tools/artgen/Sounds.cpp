#include "Sounds.h"

#include "MathUtil.h"

namespace nebulark::artgen {

namespace {

int16_t ToSample(double v) {
    // A soft limiter keeps the loud start from clipping harshly.
    const double limited = v / (1 + (v < 0 ? -v : v) * 0.35) * 1.35;
    const double scaled = Clamp01((limited + 1) / 2) * 65535 - 32768;
    return static_cast<int16_t>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}

// A 15-bit linear feedback shift register, the noise source of old sound chips.
class NoiseRegister {
public:
    double Step() {
        const unsigned bit = (state ^ (state >> 1)) & 1u;
        state = (state >> 1) | (bit << 14);
        return (state & 1u) ? 1.0 : -1.0;
    }

private:
    unsigned state = 0x4A3Fu;
};

// Fades in over `attack` samples and out over the last `release` ones.
double Edges(int i, int count, int attack, int release) {
    double gain = 1;
    if (i < attack) gain = static_cast<double>(i) / attack;
    if (i >= count - release) gain *= static_cast<double>(count - i) / release;
    return gain;
}

}  // namespace

std::vector<int16_t> MakeExplosion() {
    const int count = kSampleRate * 85 / 100;
    std::vector<int16_t> samples(count);
    NoiseRegister noise;
    double held = 0, filtered = 0, phase = 0;
    int hold = 0;
    for (int i = 0; i < count; ++i) {
        const double t = static_cast<double>(i) / kSampleRate;
        // The noise is held for longer and filtered harder as the blast
        // fades, so it sinks from a crack to a roar.
        const int period = 1 + static_cast<int>(t * 14);
        if (hold-- <= 0) {
            held = noise.Step();
            hold = period;
        }
        const double brightness = 0.55 * ExpNeg(t * 4) + 0.08;
        filtered += (held - filtered) * brightness;
        phase += (38 + 70 * ExpNeg(t * 6)) / kSampleRate;
        const double rumble = SinTurns(phase) * ExpNeg(t * 3.5);
        const double envelope =
            ExpNeg(t * 4.8) * Edges(i, count, kSampleRate / 400, kSampleRate / 30);
        samples[i] = ToSample((filtered * 0.6 + rumble * 0.3) * envelope);
    }
    return samples;
}

std::vector<int16_t> MakeBeep() {
    const int count = kSampleRate * 12 / 100;
    std::vector<int16_t> samples(count);
    for (int i = 0; i < count; ++i) {
        const double tone = SinTurns(880.0 * i / kSampleRate);
        samples[i] = ToSample(0.45 * tone * Edges(i, count, kSampleRate / 250, kSampleRate / 50));
    }
    return samples;
}

}  // namespace nebulark::artgen
