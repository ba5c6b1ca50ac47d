#pragma once
// The runtime errors that the window services raise themselves, with code 0.

#include <cstddef>

[[noreturn]] void RaiseAllocationFailure(std::size_t size);
[[noreturn]] void RaiseWindowLoadFailure();
[[noreturn]] void RaiseWindowNotLoaded();
