#pragma once
// Radio model, transmit time-out and the ten on/off options: ConfigText,
// the option digits of OptionText.

#include "core/radio.h"
#include "core/radio_model.h"

#include <cstdint>
#include <string>

namespace kl40 {

inline constexpr const char* kDefaultOptionText = "010000000000000000000000";
inline constexpr const char* kDefaultConfigText = "010000000000000";

// The ConfigText of a radio: count, option flags, time-out digit, model
// constant and model code.
std::string ConfigTextOf(const Radio& radio);
// The OptionText of a radio: its count, then its option digits from the base
// its options start from (a new radio's, or that of the model whose image
// they were read from). Throws std::out_of_range for a digit past F.
std::string OptionTextOf(const Radio& radio);

// Time-out digit for a cboToT position (-1 for none) and model code.
char TimeoutDigit(int listIndex, int bandCode);
int TimeoutIndexFromQuarter(int quarter);
// The time-out selector position that a model's option digit stands for.
int TimeoutIndex(const RadioModel& model, int digitValue);

} // namespace kl40
