#pragma once
// Radio model, transmit time-out and the ten on/off options: ConfigText,
// the option digits of OptionText.

#include "core/radio.h"
#include "core/radio_data.h"
#include "core/radio_model.h"

#include <cstdint>
#include <string>

namespace kl40 {

inline constexpr const char* kDefaultOptionText = "010000000000000000000000";
inline constexpr const char* kDefaultConfigText = "010000000000000";

// ConfigText positions 12, 13 and 15 from cboRadio and cboToT;
// enables chkHiLo for models 1 and 2, disables it for model 3.
void SetOptions(Workspace& ws);

// The ConfigText of a radio: count, option flags, time-out digit, model
// constant and model code.
std::string ConfigTextOf(const Radio& radio);
// The OptionText of a radio: its count, then its option digits from the base
// its options start from (a new radio's, or that of the model whose image
// they were read from). Throws std::out_of_range for a digit past F.
std::string OptionTextOf(const Radio& radio);

bool HasChannelData(const RadioData& data);

// Time-out digit for a cboToT position (-1 for none) and model code.
char TimeoutDigit(int listIndex, int bandCode);
int TimeoutIndexFromQuarter(int quarter);
// The time-out selector position that a model's option digit stands for.
int TimeoutIndex(const RadioModel& model, int digitValue);

void FillModelList(ComboBox& cboRadio);
void FillTimeoutList(ComboBox& cboToT);
void FillChannelNumberList(ComboBox& cboCh);

// Unticks the ten option boxes in their fixed order, then greys them by the
// option rule (core/option_rules.h).
void ClearOptionBoxes(EntryFields& form);
// The options back to a new radio's: ConfigText and the option digits
// no option sets.
void ResetOptions(RadioData& data);

} // namespace kl40
