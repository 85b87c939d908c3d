#include "coding/raster.h"

#include "coding/frequency_code.h"
#include "core/numbers.h"

#include <cmath>

namespace kl40 {

Frequency RasterFrequency(Frequency frequency) {
    // The same step count as the frequency code takes: its offsets are whole
    // numbers of steps, so rounding before or after them agrees. A frequency
    // is never half-way between two steps (a step is 125 units).
    const std::int64_t units = frequency.hundredHz;
    const std::int64_t steps = units >= 0 ? (units + 62) / 125 : -((-units + 62) / 125);
    return Frequency::FromSteps(steps);
}

std::string RasterFrequency(std::string_view mhz) {
    const std::optional<double> value = ParseDecimal(mhz);
    if (!value) return {};
    // A text may lie half-way between two steps: it takes the even one.
    return FrequencyText(std::nearbyint(*value / kChannelStep) * kChannelStep);
}

} // namespace kl40
