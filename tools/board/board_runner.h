#pragma once

#include "board/board_options.h"
#include "board/board_random.h"
#include "board/frame_source.h"

#include <ostream>

namespace corvane::board {

// Called from a signal handler: every wait of the board ends and it leaves cleanly.
void requestStop();
bool stopRequested();

// Plugs in the line and sends what `source` gives while a reader has the port open,
// pulling and returning the adapter as the options ask. Returns the exit status.
int runBoard(const Options& options, FrameSource& source, Random& random, std::ostream& log,
             std::ostream& sent);

}  // namespace corvane::board
