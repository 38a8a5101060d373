// Linked into the unit tests, which CTest runs beside the end-to-end tests. Those tests'
// games must keep their frame rate for the walks they time, so the unit tests, which
// only compute, run at a lower priority and take the CPU the games leave.
#include <unistd.h>

namespace {

[[maybe_unused]] const int loweredPriority = nice(10);

} // namespace
