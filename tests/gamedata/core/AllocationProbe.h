#pragma once
// Watches the sizes requested from the global operator new, so a test can show that a reader sized nothing from
// an announced length before checking it. Linking AllocationProbe.cpp replaces operator new for the whole test
// executable.
#include <cstddef>

namespace testsupport {

// Largest single request since the last ResetLargestAllocation().
size_t LargestAllocation();
void ResetLargestAllocation();

} // namespace testsupport
