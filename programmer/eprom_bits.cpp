#include "programmer/eprom_bits.h"

#include <cstdio>

namespace kl40 {

WriteCheck CheckWrite(const Bytes& chip, const Bytes& image) {
    WriteCheck check;
    bool same = true;
    for (std::size_t a = 0; a < image.size() && a < chip.size(); ++a) {
        same = same && chip[a] == image[a];
        // A bit the image has set where the chip's is clear.
        if ((image[a] & ~chip[a]) != 0 && check.bytesNeedingErasure++ == 0)
            check.firstNeedingErasure = a;
    }
    if (check.bytesNeedingErasure > 0)
        check.verdict = WriteCheck::Verdict::NeedsErasure;
    else if (same && chip.size() == image.size())
        check.verdict = WriteCheck::Verdict::AlreadyHeld;
    return check;
}

std::optional<ByteDifference> FirstDifference(const Bytes& expected, const Bytes& actual) {
    for (std::size_t a = 0; a < expected.size() && a < actual.size(); ++a)
        if (expected[a] != actual[a]) return ByteDifference{a, expected[a], actual[a]};
    return std::nullopt;
}

std::string AddressText(std::size_t address) {
    char text[16];
    std::snprintf(text, sizeof text, "0x%04zX", address);
    return text;
}

std::string ByteText(std::uint8_t value) {
    char text[8];
    std::snprintf(text, sizeof text, "0x%02X", static_cast<unsigned>(value));
    return text;
}

std::string ErasureNeededText(const WriteCheck& check) {
    const std::string start = "The EPROM must be erased first: ";
    if (check.bytesNeedingErasure == 1)
        return start + "1 byte needs bits that only ultraviolet erasure sets (at " +
               AddressText(check.firstNeedingErasure) + ")";
    return start + std::to_string(check.bytesNeedingErasure) +
           " bytes need bits that only ultraviolet erasure sets (first at " +
           AddressText(check.firstNeedingErasure) + ")";
}

} // namespace kl40
