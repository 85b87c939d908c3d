// What writing an image over a UV EPROM's contents comes to, checked against
// programming simulated bit by bit.

#include "programmer/eprom_bits.h"

#include <gtest/gtest.h>

#include <random>

namespace kl40 {
namespace {

TEST(EpromBits, WriteCheckAgreesWithProgrammingBitByBit) {
    std::mt19937 random(7);
    for (int round = 0; round < 200; ++round) {
        const std::size_t size = round % 2 ? 2048 : 8192;
        Bytes chip(size), image(size);
        for (std::size_t a = 0; a < size; ++a) {
            chip[a] = static_cast<std::uint8_t>(random());
            // Mostly bytes the chip can take (its bits cleared further), a
            // few that need a bit set, now and then none at all.
            image[a] = static_cast<std::uint8_t>(chip[a] & random());
            if (round % 5 != 0 && random() % 400 == 0) image[a] |= 1u << (random() % 8);
        }
        if (round % 7 == 0) image = chip;

        // Programming clears exactly the bits the image has clear; the chip
        // then holds the image unless some bit of it stayed clear.
        std::size_t failing = 0;
        std::size_t first = 0;
        for (std::size_t a = 0; a < size; ++a) {
            std::uint8_t programmed = chip[a];
            for (int bit = 0; bit < 8; ++bit)
                if (!(image[a] >> bit & 1)) programmed &= static_cast<std::uint8_t>(~(1u << bit));
            if (programmed != image[a] && failing++ == 0) first = a;
        }
        const WriteCheck check = CheckWrite(chip, image);
        EXPECT_EQ(check.bytesNeedingErasure, failing);
        if (failing > 0) {
            EXPECT_EQ(check.verdict, WriteCheck::Verdict::NeedsErasure);
            EXPECT_EQ(check.firstNeedingErasure, first);
        } else {
            EXPECT_EQ(check.verdict, chip == image ? WriteCheck::Verdict::AlreadyHeld
                                                   : WriteCheck::Verdict::Writable);
        }
    }
}

TEST(EpromBits, ErasureMessage) {
    WriteCheck check{WriteCheck::Verdict::NeedsErasure, 312, 0x40};
    EXPECT_EQ(ErasureNeededText(check), "The EPROM must be erased first: 312 bytes need bits that "
                                        "only ultraviolet erasure sets (first at 0x0040)");
    check.bytesNeedingErasure = 1;
    check.firstNeedingErasure = 0x1FFF;
    EXPECT_EQ(ErasureNeededText(check), "The EPROM must be erased first: 1 byte needs bits that "
                                        "only ultraviolet erasure sets (at 0x1FFF)");
}

} // namespace
} // namespace kl40
