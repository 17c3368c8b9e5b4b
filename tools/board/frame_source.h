#pragma once

#include "board/board_frames.h"
#include "board/board_options.h"
#include "board/board_random.h"
#include "board/board_script.h"
#include "board/board_weather.h"

#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace corvane::board {

// One thing the board does next: send a text, or stay silent for a while.
struct Transmission {
    std::string text;                                  // empty for a silence
    double pauseSeconds = 0;                           // silence added before the next frame
    bool whole = false;                                // send in one piece
    std::size_t keepTogetherAt = std::string::npos;    // see splitIntoPieces
    std::optional<Fault> fault;                        // the damage done, if any

    bool isPause() const { return text.empty(); }
};

class FrameSource {
public:
    virtual ~FrameSource() = default;
    // Nothing when the source has no more to send.
    virtual std::optional<Transmission> next() = 0;
};

// Frames from the simulated weather, damaged now and then as the options ask.
class WeatherFrames final : public FrameSource {
public:
    WeatherFrames(const Options& options, Random& random);
    std::optional<Transmission> next() override;

private:
    Random& m_random;
    BoardWeather m_weather;
    double m_secondsPerFrame;
    double m_faultRate;
    std::vector<Fault> m_faults;
};

// The steps of a script, in order.
class ScriptFrames final : public FrameSource {
public:
    explicit ScriptFrames(std::vector<ScriptStep> steps) : m_steps(std::move(steps)) {}
    std::optional<Transmission> next() override;

private:
    std::vector<ScriptStep> m_steps;
    std::size_t m_next = 0;
};

}  // namespace corvane::board
