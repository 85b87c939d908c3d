#pragma once
// The channel list as a CHIRP generic CSV file, the channel interchange
// format of radio programming tools.

#include "core/radio.h"

#include <string>
#include <vector>

namespace kl40 {

inline constexpr const char* kChirpCsvHeader =
    "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,"
    "RxDtcsCode,CrossMode,Mode,TStep,Skip,Power,Comment,URCALL,RPT1CALL,RPT2CALL,DVCODE";

struct ChirpCsvExport {
    std::string csv;                  // UTF-8, CRLF line ends, no byte-order mark
    std::vector<std::string> leftOut; // one sentence per channel the file could not hold
};

// One row per channel, in the order given. A channel with a tone is a "Tone"
// row, or a "TSQL" row when the radio also checks the tone on receive
// (`receiveToneOn`). The transmit frequency is a "+" or "-" offset, or a
// "split" row holding the transmit frequency when the two lie more than
// 70 MHz apart. A channel without a receive frequency, with a frequency
// that is not a number, or with an unlisted tone is left out and named.
// Anything else is written as it is, also a channel 100 or a frequency
// outside the band from a damaged image: reading the file refuses those rows.
// Names and comments go in the Name and Comment columns.
ChirpCsvExport WriteChirpCsv(const std::vector<ChannelRecord>& channels, bool receiveToneOn);

} // namespace kl40
