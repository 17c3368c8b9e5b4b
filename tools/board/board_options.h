#pragma once

#include "board/board_frames.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace corvane::board {

struct Options {
    std::string folder;                   // program folder that receives the COMn link
    int port = 1;                         // n of COMn
    int bank = 24;                        // battery bank volts: 12, 24 or 48
    double rate = 2;                      // frames per second
    int baud = 9600;                      // paces the pieces of each frame
    std::optional<std::uint64_t> seed;    // none: a new seed each run
    long count = 0;                       // frames to send, 0 for no end
    std::string script;                   // file of frames to send instead of the weather
    std::vector<Fault> faults{kAllFaults.begin(), kAllFaults.end()};
    double faultRate = 0;                 // chance that a frame is damaged
    long hangupAfter = 0;                 // frames before the adapter is pulled, 0 for never
    double reopenAfter = 5;               // seconds until it is plugged in again
    bool split = true;                    // deliver each frame in pieces
    bool verbose = false;                 // print every text sent
};

struct ParsedOptions {
    std::optional<Options> options;  // set when the arguments are usable
    bool help = false;
    std::string error;               // why they are not
};

// Reads the arguments after the program name; "--name value" and "--name=value" both work.
ParsedOptions parseOptions(const std::vector<std::string>& arguments);

// Every option the parser knows, as typed ("--rate"), for the help text's completeness.
std::vector<std::string> optionNames();

std::string helpText();

}  // namespace corvane::board
