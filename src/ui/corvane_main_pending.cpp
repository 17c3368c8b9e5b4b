// Handlers whose behaviour lands with later work; each moves to its own file when built.
#include "ui/corvane_main.h"

namespace corvane {

void CorvaneMain::MSComm1_OnComm() {}
void CorvaneMain::Timer1_Timer() {}
void CorvaneMain::Timer3_Timer() {}
void CorvaneMain::StartLogging_Click() {}
void CorvaneMain::StopLogging_Click() {}
void CorvaneMain::Check1_Click() {}
void CorvaneMain::Exit_Click() {}
void CorvaneMain::Setup_Click() {}
void CorvaneMain::CalibrateButton_Click() {}
void CorvaneMain::ShowLogs_Click() {}
void CorvaneMain::ShowPortProblem() {}

}  // namespace corvane
