#pragma once

#include <cmath>
#include <cstdint>
#include <numbers>
#include <random>

namespace corvane::board {

// A seeded generator. It draws from the engine directly rather than through the standard
// distributions, whose results differ between libraries, so a seed replays the same line.
class Random {
public:
    explicit Random(std::uint64_t seed) : m_engine(seed) {}

    // Uniform in [0, 1).
    double uniform() { return static_cast<double>(m_engine() >> 11) * 0x1.0p-53; }

    // Uniform whole number in [low, high].
    int between(int low, int high)
    {
        return low + static_cast<int>(uniform() * static_cast<double>(high - low + 1));
    }

    bool chance(double probability) { return uniform() < probability; }

    // Standard normal deviate (Box-Muller).
    double normal()
    {
        const double u1 = 1.0 - uniform();
        const double u2 = uniform();
        return std::sqrt(-2.0 * std::log(u1)) * std::cos(2.0 * std::numbers::pi * u2);
    }

private:
    std::mt19937_64 m_engine;
};

}  // namespace corvane::board
