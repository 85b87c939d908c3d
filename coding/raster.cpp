#include "coding/raster.h"

#include "coding/frequency_code.h"
#include "core/numbers.h"

#include <cmath>

namespace kl40 {

std::string RasterFrequency(std::string_view mhz) {
    const std::optional<double> value = ParseDecimal(mhz);
    if (!value) return {};
    // The same step count as the frequency code takes: its offsets are whole
    // even numbers of steps, so rounding before or after them agrees.
    return FrequencyText(std::nearbyint(*value / kChannelStep) * kChannelStep);
}

std::optional<std::string> OffRasterNote(std::string_view entry) {
    const std::size_t c1 = entry.find(',');
    const std::size_t c2 = c1 == std::string_view::npos ? c1 : entry.find(',', c1 + 1);
    const std::size_t c3 = c2 == std::string_view::npos ? c2 : entry.find(',', c2 + 1);
    if (c3 == std::string_view::npos) return std::nullopt;
    const std::string_view frequencies[] = {entry.substr(c1 + 1, c2 - c1 - 1),
                                            entry.substr(c2 + 1, c3 - c2 - 1)};
    std::string note;
    for (const std::string_view& typed : frequencies) {
        // A transmit frequency that is the receive frequency is told once.
        if (&typed != &frequencies[0] && typed == frequencies[0]) break;
        std::string formatted(typed);
        FormatFrequency(formatted);
        const std::string used = RasterFrequency(typed);
        if (used.empty() || used == formatted) continue;
        if (!note.empty()) note += '\n';
        note +=
            formatted + " MHz is not on the radio's 12.5 kHz raster: it will use " + used + " MHz.";
    }
    if (note.empty()) return std::nullopt;
    return note;
}

} // namespace kl40
