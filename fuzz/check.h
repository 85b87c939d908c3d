#pragma once
// What a fuzz target does when an invariant breaks: name it and stop, so that
// libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>

namespace kl40::fuzz {

inline void Check(bool holds, const char* invariant) {
    if (holds) return;
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
}

} // namespace kl40::fuzz
