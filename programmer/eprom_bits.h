#pragma once
// What a UV EPROM allows: writing only clears bits (1 -> 0); only ultraviolet
// light sets them again, erasing the whole chip to 0xFF. Pure functions on
// the chip's bytes and the image meant for it, of the same size.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

using Bytes = std::vector<std::uint8_t>;

// What writing `image` over `chip` comes to.
struct WriteCheck {
    enum class Verdict { AlreadyHeld, Writable, NeedsErasure };
    Verdict verdict = Verdict::Writable;
    std::size_t bytesNeedingErasure = 0; // bytes with a bit that would go from 0 to 1
    std::size_t firstNeedingErasure = 0; // the lowest of their addresses
};
WriteCheck CheckWrite(const Bytes& chip, const Bytes& image);

// The first address where two equally long byte strings differ.
struct ByteDifference {
    std::size_t address = 0;
    std::uint8_t expected = 0;
    std::uint8_t actual = 0;
};
std::optional<ByteDifference> FirstDifference(const Bytes& expected, const Bytes& actual);

// "0x0040", "0x5A"
std::string AddressText(std::size_t address);
std::string ByteText(std::uint8_t value);
// "The EPROM must be erased first: 312 bytes need bits that only ultraviolet
// erasure sets (first at 0x0040)"
std::string ErasureNeededText(const WriteCheck& check);

} // namespace kl40
