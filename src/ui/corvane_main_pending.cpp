// Handlers whose behaviour lands with later work; each moves to its own file when built.
#include "ui/corvane_main.h"

namespace corvane {

void CorvaneMain::Setup_Click() {}
void CorvaneMain::CalibrateButton_Click() {}
void CorvaneMain::ShowLogs_Click() {}
void CorvaneMain::ShowPortProblem() {}

}  // namespace corvane
