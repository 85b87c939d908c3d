#pragma once
// Full radios for the benchmarks: 99 channels with tones, scan flags, split
// transmit frequencies and options, as RADIO JSON text.

#include <string>

namespace kl40::bench {

// The three model names, in model-code order.
inline constexpr const char* kModelNames[] = {"KL40a-16", "KL40a-64", "KL40c"};

// A radio of model `modelIndex` (0, 1 or 2) with 99 channels. `variant`
// shifts the frequencies, tones and time-out so that generated files differ.
// With `named`, every channel has a name and a comment.
std::string SampleRadioJson(int modelIndex, unsigned variant = 0, bool named = false);

} // namespace kl40::bench
