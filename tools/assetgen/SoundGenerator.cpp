#include "SoundGenerator.h"

#include <algorithm>
#include <cmath>
#include <fstream>

namespace {

const double PI = 3.14159265358979323846;

size_t seconds(double s) {
    return static_cast<size_t>(s * SoundGenerator::RATE);
}

// A resonant band-pass (the usual biquad), for shaping noise.
class BandPass {
  public:
    void tune(double centre, double q) {
        const double w = 2.0 * PI * centre / SoundGenerator::RATE;
        const double alpha = std::sin(w) / (2.0 * q);
        const double a0 = 1.0 + alpha;
        b0 = alpha / a0;
        b2 = -alpha / a0;
        a1 = -2.0 * std::cos(w) / a0;
        a2 = (1.0 - alpha) / a0;
    }
    double step(double in) {
        const double out = b0 * in + b2 * x2 - a1 * y1 - a2 * y2;
        x2 = x1;
        x1 = in;
        y2 = y1;
        y1 = out;
        return out;
    }

  private:
    double b0 = 0, b2 = 0, a1 = 0, a2 = 0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
};

// A one-pole low-pass: a cheap way to darken noise.
class LowPass {
  public:
    explicit LowPass(double cutoff)
        : k(1.0 - std::exp(-2.0 * PI * cutoff / SoundGenerator::RATE)) {}
    double step(double in) { return state += k * (in - state); }

  private:
    double k;
    double state = 0.0;
};

struct Partial {
    double ratio; // of the fundamental
    double amplitude;
    double decay; // seconds to fall to 1/e
};

// A struck metal body: inharmonic partials, each ringing down at its own rate.
void addStrike(SoundGenerator::Samples& out, size_t start, double fundamental,
               const std::vector<Partial>& partials, double gain) {
    for (const Partial& p : partials) {
        const double w = 2.0 * PI * fundamental * p.ratio / SoundGenerator::RATE;
        for (size_t i = start; i < out.size(); ++i) {
            const double t = static_cast<double>(i - start) / SoundGenerator::RATE;
            const double attack = std::min(1.0, t * 250.0);
            out[i] +=
                gain * p.amplitude * attack * std::exp(-t / p.decay) * std::sin(w * (i - start));
        }
    }
}

} // namespace

SoundGenerator::Samples SoundGenerator::noise(size_t count, uint32_t seed) {
    Samples out(count);
    uint32_t state = seed;
    for (double& v : out) {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        v = state / 2147483648.0 - 1.0;
    }
    return out;
}

void SoundGenerator::normalise(Samples& samples, double peak) {
    double loudest = 0.0;
    for (double v : samples) {
        loudest = std::max(loudest, std::abs(v));
    }
    if (loudest > 0.0) {
        for (double& v : samples) {
            v *= peak / loudest;
        }
    }
}

SoundGenerator::Samples SoundGenerator::footstep() const {
    // A boot on stone: a low thump under a short gritty scuff.
    Samples out(seconds(0.22));
    Samples grit = noise(out.size(), 1234);
    LowPass dull(420.0);
    LowPass duller(420.0);
    BandPass scuff;
    scuff.tune(1800.0, 1.5);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double thump =
            std::sin(2.0 * PI * (62.0 + 50.0 * std::exp(-t / 0.02)) * t) * std::exp(-t / 0.035);
        const double body = duller.step(dull.step(grit[i])) * std::exp(-t / 0.05) * 9.0;
        const double scrape =
            scuff.step(grit[i]) * std::exp(-std::pow((t - 0.04) / 0.03, 2.0)) * 0.25;
        out[i] = thump + body + scrape;
    }
    normalise(out, 0.8);
    return out;
}

SoundGenerator::Samples SoundGenerator::ambience() const {
    // Every component repeats a whole number of times in the loop, so the end joins
    // the start with no click: a low drone, a slow throb, and hollow wind made of many
    // partials whose strength drifts.
    const double length = 8.0;
    Samples out(seconds(length));
    const size_t n = out.size();
    auto loopHz = [&](double hz) { return std::round(hz * length) / length; };
    const struct {
        double hz, amp;
    } drone[] = {{41.0, 0.5}, {55.0, 0.45}, {82.5, 0.22}, {110.0, 0.12}, {61.8, 0.18}};
    for (const auto& d : drone) {
        const double w = 2.0 * PI * loopHz(d.hz) / RATE;
        const double throb = 2.0 * PI * loopHz(0.25) / RATE;
        for (size_t i = 0; i < n; ++i) {
            out[i] += d.amp * (0.75 + 0.25 * std::sin(throb * i + d.hz)) * std::sin(w * i);
        }
    }
    uint32_t state = 99;
    auto next = [&]() {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return state / 4294967296.0;
    };
    for (int k = 0; k < 160; ++k) {
        const double hz = loopHz(180.0 + 700.0 * next());
        const double phase = 2.0 * PI * next();
        const double swell = loopHz(0.125 * (1 + static_cast<int>(next() * 3)));
        const double swellPhase = 2.0 * PI * next();
        const double w = 2.0 * PI * hz / RATE;
        const double ws = 2.0 * PI * swell / RATE;
        const double amp = 0.035 * 300.0 / (hz + 120.0);
        for (size_t i = 0; i < n; ++i) {
            const double gust = std::max(0.0, std::sin(ws * i + swellPhase));
            out[i] += amp * gust * gust * std::sin(w * i + phase);
        }
    }
    normalise(out, 0.55);
    return out;
}

SoundGenerator::Samples SoundGenerator::deadSleep() const {
    // A church bell tolled twice. Its voice is the nominal and the partials above it, in
    // the kilohertz, where the crypt's low ambience leaves room; the hum and the prime
    // below sound only faintly, as in a bell heard from the nave.
    Samples out(seconds(6.0));
    const std::vector<Partial> bell = {
        {0.5, 0.06, 2.6}, {1.0, 0.12, 2.0},   {1.2, 0.16, 1.6},  {1.5, 0.22, 1.4},
        {2.0, 1.0, 2.2},  {2.52, 0.45, 1.3},  {3.01, 0.5, 1.0},  {4.16, 0.3, 0.7},
        {5.43, 0.2, 0.5}, {6.79, 0.12, 0.35}, {8.2, 0.07, 0.25},
    };
    const double prime = 620.0; // the nominal rings at twice this, 1240 Hz
    addStrike(out, 0, prime, bell, 1.0);
    addStrike(out, seconds(2.4), prime, bell, 0.8);
    for (size_t i = seconds(5.5); i < out.size(); ++i) {
        out[i] *= static_cast<double>(out.size() - i) / (out.size() - seconds(5.5));
    }
    normalise(out, 0.85);
    return out;
}

SoundGenerator::Samples SoundGenerator::swordHit() const {
    // Steel on bone: a bright clang with a hard, noisy attack.
    Samples out(seconds(0.9));
    const std::vector<Partial> blade = {
        {1.0, 0.6, 0.25},   {2.76, 0.5, 0.18},  {5.40, 0.35, 0.12},
        {8.93, 0.25, 0.08}, {13.3, 0.15, 0.05}, {1.51, 0.3, 0.35},
    };
    addStrike(out, 0, 520.0, blade, 1.0);
    Samples crack = noise(out.size(), 777);
    BandPass bright;
    bright.tune(3500.0, 0.8);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        out[i] += 1.6 * bright.step(crack[i]) * std::exp(-t / 0.012);
    }
    normalise(out, 0.9);
    return out;
}

SoundGenerator::Samples SoundGenerator::swordMiss() const {
    // Air cut by a blade: noise through a band that sweeps down as the swing passes.
    Samples out(seconds(0.38));
    Samples air = noise(out.size(), 4242);
    BandPass band;
    const double length = static_cast<double>(out.size()) / RATE;
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double progress = t / length;
        band.tune(2600.0 - 1900.0 * progress, 2.5);
        const double envelope = std::pow(std::sin(PI * std::pow(progress, 0.7)), 2.0);
        out[i] = band.step(air[i]) * envelope;
    }
    normalise(out, 0.8);
    return out;
}

SoundGenerator::Samples SoundGenerator::skullChatter() const {
    // Teeth and bone: three quick dry clicks, each a short knock of hollow partials over a
    // crack of noise, a little lower each time.
    Samples out(seconds(0.42));
    const std::vector<Partial> bone = {{1.0, 0.5, 0.03}, {2.3, 0.35, 0.02}, {3.9, 0.2, 0.012}};
    const double starts[] = {0.0, 0.11, 0.24};
    for (int click = 0; click < 3; ++click) {
        addStrike(out, seconds(starts[click]), 820.0 - 90.0 * click, bone, 1.0 - 0.2 * click);
    }
    Samples crack = noise(out.size(), 9091);
    BandPass dry;
    dry.tune(2400.0, 1.2);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        double envelope = 0.0;
        for (double start : starts) {
            envelope += t >= start ? std::exp(-(t - start) / 0.008) : 0.0;
        }
        out[i] += 0.9 * dry.step(crack[i]) * envelope;
    }
    normalise(out, 0.85);
    return out;
}

SoundGenerator::Samples SoundGenerator::blowTaken() const {
    // A blow to the body: a dull low thud with a grunt-like falling tone.
    Samples out(seconds(0.35));
    Samples grit = noise(out.size(), 5150);
    LowPass dull(300.0);
    for (size_t i = 0; i < out.size(); ++i) {
        const double t = static_cast<double>(i) / RATE;
        const double thud =
            std::sin(2.0 * PI * (95.0 + 80.0 * std::exp(-t / 0.03)) * t) * std::exp(-t / 0.07);
        const double grunt = std::sin(2.0 * PI * (220.0 - 90.0 * t / 0.35) * t) *
                             std::exp(-std::pow((t - 0.06) / 0.05, 2.0)) * 0.4;
        out[i] = thud + grunt + dull.step(grit[i]) * std::exp(-t / 0.04) * 5.0;
    }
    normalise(out, 0.85);
    return out;
}

bool SoundGenerator::saveWav(const std::string& path, const Samples& samples) {
    std::ofstream file(path, std::ios::binary);
    if (!file) {
        return false;
    }
    auto put32 = [&](uint32_t v) {
        const char bytes[4] = {char(v & 0xff), char((v >> 8) & 0xff), char((v >> 16) & 0xff),
                               char(v >> 24)};
        file.write(bytes, 4);
    };
    auto put16 = [&](uint16_t v) {
        const char bytes[2] = {char(v & 0xff), char(v >> 8)};
        file.write(bytes, 2);
    };
    const uint32_t dataBytes = static_cast<uint32_t>(samples.size() * 2);
    file.write("RIFF", 4);
    put32(36 + dataBytes);
    file.write("WAVEfmt ", 8);
    put32(16); // format chunk size
    put16(1);  // PCM
    put16(1);  // mono
    put32(RATE);
    put32(RATE * 2); // bytes per second
    put16(2);        // bytes per frame
    put16(16);       // bits per sample
    file.write("data", 4);
    put32(dataBytes);
    for (double v : samples) {
        const double clipped = std::clamp(v, -1.0, 1.0);
        put16(static_cast<uint16_t>(static_cast<int16_t>(std::lround(clipped * 32767.0))));
    }
    return static_cast<bool>(file);
}
