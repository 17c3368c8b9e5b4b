#include "board/board_runner.h"

#include "board/line_pieces.h"
#include "board/pseudo_terminal.h"

#include <cerrno>
#include <chrono>
#include <csignal>
#include <ctime>

namespace corvane::board {
namespace {

using Clock = std::chrono::steady_clock;

volatile std::sig_atomic_t g_stop = 0;

// A UART hands a reader at most its FIFO's worth at a time, often less.
constexpr int kLongestPiece = 16;
constexpr double kReaderPollSeconds = 0.02;
constexpr auto kMostLateness = std::chrono::seconds(1);

// Sleeps until `deadline`; false when a stop was requested meanwhile.
bool waitUntil(Clock::time_point deadline)
{
    while (!stopRequested()) {
        const auto left = deadline - Clock::now();
        if (left <= Clock::duration::zero())
            return true;
        const auto nanoseconds = std::chrono::duration_cast<std::chrono::nanoseconds>(left).count();
        timespec wait{static_cast<std::time_t>(nanoseconds / 1000000000),
                      static_cast<long>(nanoseconds % 1000000000)};
        ::nanosleep(&wait, nullptr);  // a signal cuts it short; the loop looks again
    }
    return false;
}

Clock::duration secondsOf(double seconds)
{
    return std::chrono::duration_cast<Clock::duration>(std::chrono::duration<double>(seconds));
}

bool waitFor(double seconds)
{
    return waitUntil(Clock::now() + secondsOf(seconds));
}

// Each piece takes the line the time of its characters (start, 8 data and stop bit each),
// plus the small gap of a sender that is busy now and then.
bool sendInPieces(PseudoTerminal& line, const Transmission& transmission, const Options& options,
                  Random& random)
{
    std::vector<std::string> pieces;
    if (transmission.whole || !options.split)
        pieces.push_back(transmission.text);
    else
        pieces = splitIntoPieces(transmission.text, kLongestPiece, random, transmission.keepTogetherAt);
    for (const std::string& piece : pieces) {
        if (!line.write(piece))
            return false;
        const double lineSeconds = static_cast<double>(piece.size()) * 10.0 / options.baud;
        if (!waitFor(lineSeconds + random.between(0, 3) / 1000.0))
            return false;
    }
    return true;
}

}  // namespace

void requestStop()
{
    g_stop = 1;
}

bool stopRequested()
{
    return g_stop != 0;
}

int runBoard(const Options& options, FrameSource& source, Random& random, std::ostream& log,
             std::ostream& sent)
{
    PseudoTerminal line(options.folder, options.port);
    try {
        line.plugIn();
    } catch (const LineError& error) {
        log << "corvane-board: " << error.what() << '\n';
        return 1;
    }
    log << "corvane-board: " << line.linkPath() << " -> " << line.devicePath() << '\n';

    const Clock::duration spacing = secondsOf(1.0 / options.rate);
    Clock::time_point nextFrame = Clock::now();
    bool waitingForReader = true;
    bool pulledOut = false;
    long frames = 0;
    while (!stopRequested()) {
        // Nobody listening: a real line would lose the frames, so hold them back.
        if (!line.hasReader()) {
            waitingForReader = true;
            waitFor(kReaderPollSeconds);
            continue;
        }
        if (waitingForReader) {
            waitingForReader = false;
            nextFrame = Clock::now();
        }
        const std::optional<Transmission> transmission = source.next();
        if (!transmission) {
            waitUntil(nextFrame);  // a closing #pause keeps the line open that long
            break;
        }
        if (transmission->isPause()) {
            nextFrame += secondsOf(transmission->pauseSeconds);
            continue;
        }
        if (!waitUntil(nextFrame) || !sendInPieces(line, *transmission, options, random))
            break;
        if (options.verbose)
            sent << transmission->text << std::endl;
        ++frames;
        nextFrame += spacing;
        if (Clock::now() - nextFrame > kMostLateness)
            nextFrame = Clock::now();
        if (options.count > 0 && frames >= options.count)
            break;
        if (options.hangupAfter > 0 && frames == options.hangupAfter && !pulledOut) {
            // Pulled when the next frame would be due, so the reader has had the last one whole.
            if (!waitUntil(nextFrame))
                break;
            pulledOut = true;
            line.unplug();
            log << "corvane-board: unplugged " << line.linkPath() << '\n';
            if (!waitFor(options.reopenAfter))
                break;
            try {
                line.plugIn();
            } catch (const LineError& error) {
                log << "corvane-board: " << error.what() << '\n';
                return 1;
            }
            log << "corvane-board: plugged in again: " << line.linkPath() << " -> " << line.devicePath()
                << '\n';
            waitingForReader = true;
        }
    }
    return 0;
}

}  // namespace corvane::board
