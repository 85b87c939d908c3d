#pragma once
// Random radios whose channels pass the entry rules: frequencies in the band
// (some off the raster), every duplex, at most 32 scan channels, names with
// the characters a clipboard or CSV text must carry.

#include "core/radio.h"

#include <algorithm>
#include <cstdint>
#include <random>
#include <string>

namespace kl40::test {

inline Radio RandomRadio(std::mt19937& rng) {
    std::uniform_int_distribution<int> percent(0, 99);
    std::uniform_int_distribution<std::int64_t> band(4000000, 4500000);
    const auto frequency = [&] {
        std::int64_t units = band(rng);
        if (percent(rng) < 80) units -= units % 125; // mostly on the 12.5 kHz raster
        return Frequency{units};
    };
    const char* texts[] = {"", "Rep A", "\xC3\x9Cmlaut, \"q\"", " blank ahead", "a;b,c"};
    std::uniform_int_distribution<int> text(0, 4);
    Radio radio;
    int scans = 0;
    for (int n = 1; n <= kHighestChannel; ++n) {
        if (percent(rng) < 40) continue;
        Channel channel;
        channel.rx = frequency();
        switch (percent(rng) % 4) {
        case 0:
            channel.tx = channel.rx;
            break;
        case 1:
            channel.tx = frequency();
            break; // "+", "-" or simplex by the frequencies
        case 2:
            channel.tx = frequency();
            channel.split = true;
            break;
        default: {
            const Frequency up{channel.rx->hundredHz + 50000};
            channel.tx = up.hundredHz <= 4500000 ? up : Frequency{channel.rx->hundredHz - 50000};
        }
        }
        channel.tone = std::uniform_int_distribution<int>(0, 30)(rng);
        channel.scan = scans < kMaxScanChannels && percent(rng) < 50;
        scans += channel.scan;
        channel.name = texts[text(rng)];
        channel.comment = texts[text(rng)];
        radio.channels[static_cast<std::size_t>(n)] = channel;
    }
    radio.channelCount = std::max(1, radio.highestChannel());
    return radio;
}

} // namespace kl40::test
