#pragma once

namespace corvane {

// Gives every window of the application the program's icon; call after the application
// object exists.
void useProgramIcon();

}  // namespace corvane
