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

int runHistory(int&, char**, const QString&) { return notBuiltYet("--history"); }
int runSummary(int&, char**, const QString&, const CommandLine&) { return notBuiltYet("--summary"); }

}  // namespace corvane
