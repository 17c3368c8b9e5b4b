// Handlers whose behaviour lands with later work; each moves to its own file when built.
#include "ui/corvane_main.h"

namespace corvane {


}  // namespace corvane
