// Modes whose composition is still being built; each says so and ends as a usage error.
#include "app/run_modes.h"

#include <cstdio>

namespace corvane {
namespace {
int notBuiltYet(const char* option)
{
    std::fprintf(stderr, "corvane: %s is not available in this build\n", option);
    return 2;
}
}  // namespace

int runService(int&, char**, const QString&) { return notBuiltYet("--service"); }
int runViewer(int&, char**, const QString&) { return notBuiltYet("--viewer"); }

}  // namespace corvane
