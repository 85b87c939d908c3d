#pragma once
// The CTCSS tone list and the tone codes merged into byte 1 of a frequency code.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace kl40 {

struct ToneRow {
    const char* listText; // combo box item, always five characters ("88.5 ", "103.5")
    const char* toneText; // the same without the trailing blank
    const char* code;     // two hex digits
};

inline constexpr int kToneCount = 31;
extern const std::array<ToneRow, kToneCount> ToneTable;

// Fills `cboCTCSS` with the 31 list texts and selects "none ".
// Trims blanks from its argument (the trimmed text replaces the caller's
// variable), then looks it up exactly.
std::int16_t ToneIndex(std::string& tone); // position 0-30; unknown -> 0

// The code of row `row` as a byte (0 for row 0, "none"), added into byte 1 of
// a frequency code.
std::uint8_t ToneCodeByte(int row);
// The row of a tone code read from an image, whose bit 0 belongs to the
// frequency; 0 ("none") for a code of no row.
int ToneRowOfCode(std::uint8_t code);

// The row of a tone as the operator may type it: a list text, the tone as a
// number ("88.5", "88.50", " 103.5"), or "none". Nothing for a tone the radio
// lacks ("100.0") or text that is no tone.
std::optional<std::size_t> TypedToneRow(std::string_view typed);

// Why a tone the radio lacks is refused, naming it: "100.0 Hz is not one of
// the radio's CTCSS tones".
std::string UnlistedToneText(std::string_view tone);

} // namespace kl40
