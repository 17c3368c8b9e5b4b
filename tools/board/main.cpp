// corvane-board: a simulated measuring board on a pseudo-terminal; see --help.
#include "board/board_options.h"
#include "board/board_runner.h"
#include "board/board_script.h"
#include "board/frame_source.h"

#include <chrono>
#include <csignal>
#include <fstream>
#include <iostream>
#include <memory>
#include <random>
#include <sstream>
#include <sys/stat.h>

namespace {

using namespace corvane::board;

constexpr int kUnusableOptions = 2;

int unusable(const std::string& why)
{
    std::cerr << "corvane-board: " << why << "\nTry 'corvane-board --help'.\n";
    return kUnusableOptions;
}

void onSignal(int)
{
    requestStop();
}

// Without SA_RESTART, so a signal also ends a write or a sleep at once.
void stopOnSignals()
{
    struct sigaction action {};
    action.sa_handler = onSignal;
    sigemptyset(&action.sa_mask);
    for (const int signal : {SIGINT, SIGTERM, SIGHUP})
        sigaction(signal, &action, nullptr);
}

std::uint64_t freshSeed()
{
    std::random_device device;
    const auto ticks = std::chrono::steady_clock::now().time_since_epoch().count();
    return (static_cast<std::uint64_t>(device()) << 32) ^ static_cast<std::uint64_t>(ticks);
}

}  // namespace

int main(int argc, char* argv[])
{
    const ParsedOptions parsed = parseOptions(std::vector<std::string>(argv + 1, argv + argc));
    if (parsed.help) {
        std::cout << helpText();
        return 0;
    }
    if (!parsed.options)
        return unusable(parsed.error);
    const Options& options = *parsed.options;

    struct stat folder {};
    if (::stat(options.folder.c_str(), &folder) != 0 || !S_ISDIR(folder.st_mode))
        return unusable("--folder " + options.folder + " is not a folder");

    const std::uint64_t seed = options.seed.value_or(freshSeed());
    Random random(seed);
    std::unique_ptr<FrameSource> source;
    if (options.script.empty()) {
        source = std::make_unique<WeatherFrames>(options, random);
    } else {
        std::ifstream file(options.script, std::ios::binary);
        if (!file)
            return unusable("--script " + options.script + " cannot be read");
        std::ostringstream text;
        text << file.rdbuf();
        ParsedScript script = parseScript(text.str());
        if (!script.error.empty())
            return unusable("--script " + options.script + ", " + script.error);
        source = std::make_unique<ScriptFrames>(std::move(script.steps));
    }

    stopOnSignals();
    std::cerr << "corvane-board: seed " << seed << '\n';
    return runBoard(options, *source, random, std::cerr, std::cout);
}
