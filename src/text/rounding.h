#pragma once

namespace corvane {

// Rounds to `decimals` places the way every "rounded" value of the program is rounded:
// scale by 10^decimals, round to the nearest integer with an exact half going to the even
// neighbour, scale back. 2.5 gives 2, 3.5 gives 4.
double roundHalfEven(double value, int decimals = 0);

}  // namespace corvane
