// The generator's random numbers: SplitMix64, fixed here so the same seed gives the same data
// on every machine and standard library (std:: distributions are not portable in their output).
#pragma once

#include <cstdint>

namespace razir::demo {

constexpr uint64_t Mix(uint64_t z) {
    z += 0x9E3779B97F4A7C15ull;
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

class Random {
public:
    // One independent stream per (seed, purpose, a, b): a unit of work draws from its own
    // stream, so threads may take the units in any order and still write the same data.
    explicit Random(uint64_t seed, uint64_t purpose = 0, uint64_t a = 0, uint64_t b = 0)
        : state_(Mix(Mix(Mix(seed) ^ purpose) ^ (a << 20) ^ b)) {}

    uint64_t Next() {
        state_ += 0x9E3779B97F4A7C15ull;
        return Mix(state_ - 0x9E3779B97F4A7C15ull);
    }
    // Uniform in [0, n); n > 0.
    int Below(int n) { return static_cast<int>((Next() >> 33) % static_cast<uint64_t>(n)); }
    int Between(int lo, int hi) { return lo + Below(hi - lo + 1); }  // both ends included
    double Unit() { return static_cast<double>(Next() >> 11) * (1.0 / 9007199254740992.0); }
    bool Chance(double p) { return Unit() < p; }

private:
    uint64_t state_;
};

}  // namespace razir::demo
