#include "board/frame_source.h"

namespace corvane::board {

WeatherFrames::WeatherFrames(const Options& options, Random& random)
    : m_random(random),
      m_weather(options.bank, random),
      m_secondsPerFrame(1.0 / options.rate),
      m_faultRate(options.faults.empty() ? 0.0 : options.faultRate),
      m_faults(options.faults)
{
}

std::optional<Transmission> WeatherFrames::next()
{
    const RawReading reading = m_weather.next(m_secondsPerFrame);
    Transmission transmission;
    if (m_faultRate > 0 && m_random.chance(m_faultRate)) {
        const Fault fault = m_faults[static_cast<std::size_t>(m_random.between(0, int(m_faults.size()) - 1))];
        FaultyText damaged = faultyText(fault, reading, m_random);
        transmission.text = std::move(damaged.text);
        transmission.keepTogetherAt = damaged.keepTogetherAt;
        transmission.fault = fault;
    } else {
        transmission.text = frameText(reading);
    }
    return transmission;
}

std::optional<Transmission> ScriptFrames::next()
{
    if (m_next >= m_steps.size())
        return std::nullopt;
    const ScriptStep& step = m_steps[m_next++];
    Transmission transmission;
    switch (step.kind) {
    case ScriptStep::Kind::Pause:
        transmission.pauseSeconds = step.seconds;
        break;
    case ScriptStep::Kind::WholeFrame:
        transmission.whole = true;
        transmission.text = step.text;
        break;
    case ScriptStep::Kind::Frame:
        transmission.text = step.text;
        break;
    }
    return transmission;
}

}  // namespace corvane::board
