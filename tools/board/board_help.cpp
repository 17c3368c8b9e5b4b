#include "board/board_options.h"

namespace corvane::board {

std::string helpText()
{
    return R"(Usage: corvane-board --folder DIR [options]

Simulates Corvane's measuring board on a pseudo-terminal. The terminal's device is
linked as DIR/COMn, where Corvane (running from DIR with Port n) opens it. Frames
are written only while a program has the port open, as a real line would lose them,
and each frame reaches the reader in pieces of random size, paced at the baud rate.

The frames read correctly through the first-install calibration (VoltDivider 30,
VoltOffset 512, AmpDivider 10, RPMDivider 14, WSDivider 2 with km/h): battery volts
of the bank, a charging current that follows the gusts, windmill pulses per second
(R) and wind-speed pulses (S) from the same wind, <M>0</M> and <C> = V+I+R+S.

Options:
  --folder DIR         program folder that receives the COMn link (required);
                       a stale link is replaced, any other file of that name is not
  --port N             the n of COMn, 1 to 255 (default 1)
  --bank 12|24|48      battery bank volts (default 24)
  --rate FPS           frames per second, 0.01 to 20 (default 2)
  --baud N             line speed that paces the pieces, 300 to 115200 (default 9600)
  --seed N             seed for weather, faults and pieces (default: new each run,
                       printed at start so a run can be replayed)
  --count N            stop after N frames; 0 sends for ever (default 0)
  --script FILE        send the frames of FILE instead of the weather, one frame text
                       per line, verbatim, at the --rate spacing. Directives:
                         #pause S     S more seconds of silence before the next frame
                         #whole TEXT  send TEXT in one piece
                         # ...        a comment
                       The board exits at the end of the script, after
                       the silence of a closing #pause.
  --faults LIST        comma-separated faults that --fault-rate may inject, or all
                       (default all):
                         checksum            a wrong <C> value
                         zero-volts          <V>0</V>
                         missing-amps-close  no </I> tag
                         lower-case          every tag in lower case
                         joined              two frames sent back to back as "]["
                         garbage             line noise instead of a frame
                         long                a frame padded past 60 characters
                         reversed-revs       </R> before <R>
  --fault-rate P       chance from 0 to 1 that a generated frame is damaged (default 0)
  --hangup-after N     pull the adapter when frame N+1 is due: close the terminal,
                       which hangs up the reader, and remove the COMn link (0 never,
                       the default)
  --reopen-after S     seconds until the adapter returns on a new terminal linked as
                       the same COMn (default 5)
  --whole-frames       write every frame in one piece
  --verbose            print every text sent on standard output
  -h, --help           show this help

Exit status: 0 when done or stopped by a signal, 1 when the terminal or the link
cannot be made, 2 for unusable options.
)";
}

}  // namespace corvane::board
