#include "entry/repeater.h"

#include "coding/frequency_code.h"
#include "core/numbers.h"

#include <cmath>

namespace kl40 {

namespace {
constexpr Frequency kLargestOffset{500000}; // the width of the band, 50 MHz

std::string_view trimmed(std::string_view text) {
    const std::size_t first = text.find_first_not_of(' ');
    if (first == std::string_view::npos) return {};
    return text.substr(first, text.find_last_not_of(' ') + 1 - first);
}
} // namespace

Duplex DuplexOf(const Channel& channel) {
    if (channel.split) return Duplex::Split;
    if (!channel.rx || !channel.tx || *channel.tx == *channel.rx) return Duplex::Simplex;
    return *channel.tx > *channel.rx ? Duplex::Plus : Duplex::Minus;
}

std::string DuplexText(Duplex duplex) {
    switch (duplex) {
    case Duplex::Plus:
        return "+";
    case Duplex::Minus:
        return "-";
    case Duplex::Split:
        return "split";
    case Duplex::Simplex:
        break;
    }
    return "";
}

std::optional<Duplex> ParseDuplex(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return Duplex::Simplex;
    if (text == "+") return Duplex::Plus;
    if (text == "-") return Duplex::Minus;
    if (text == "split") return Duplex::Split;
    return std::nullopt;
}

Frequency OffsetOf(const Channel& channel) {
    switch (DuplexOf(channel)) {
    case Duplex::Plus:
        return {channel.tx->hundredHz - channel.rx->hundredHz};
    case Duplex::Minus:
        return {channel.rx->hundredHz - channel.tx->hundredHz};
    default:
        return {};
    }
}

std::optional<Frequency> ParseOffset(std::string_view text) {
    text = trimmed(text);
    if (text.empty()) return Frequency{};
    if (HasExcessDecimals(text)) return std::nullopt;
    const std::optional<double> mhz = ParseDecimal(text);
    if (!mhz || *mhz < 0) return std::nullopt;
    const Frequency offset{std::llround(*mhz * 10000.0)};
    if (offset > kLargestOffset) return std::nullopt;
    return offset;
}

Frequency TransmitFor(Frequency rx, Duplex duplex, Frequency offset) {
    if (duplex == Duplex::Plus) return {rx.hundredHz + offset.hundredHz};
    if (duplex == Duplex::Minus) return {rx.hundredHz - offset.hundredHz};
    return rx;
}

std::string OffsetOutOfBandText(Frequency offset, Frequency tx) {
    return "An offset of " + FrequencyText(offset) + " MHz puts the transmit frequency at " +
           FrequencyText(tx) + " MHz, outside 400 to 450 MHz.";
}

} // namespace kl40
