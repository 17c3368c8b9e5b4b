#pragma once

namespace corvane {

// Window sizes are kept in twips and converted at 15 twips per pixel (96 dots per inch).
constexpr int twipsToPixels(int twips) { return twips / 15; }

}  // namespace corvane
