#include "image/layout.h"
#include "image/templates.h"

#include <gtest/gtest.h>

namespace kl40 {
namespace {

TEST(SlotAddress, FollowsBinaryCodedDecimalSlotIndex) {
    EXPECT_EQ(ReceiveSlotAddress(1, 1), 0x0004u);
    EXPECT_EQ(TransmitSlotAddress(1, 1), 0x0404u);
    EXPECT_EQ(ReceiveSlotAddress(9, 1), 0x0024u);
    EXPECT_EQ(ReceiveSlotAddress(10, 1), 0x0040u);
    EXPECT_EQ(TransmitSlotAddress(10, 1), 0x0440u);
    EXPECT_EQ(ReceiveSlotAddress(99, 1), 0x0264u);
    EXPECT_EQ(TransmitSlotAddress(99, 1), 0x0664u);
    EXPECT_EQ(ReceiveSlotAddress(100, 1), 0x0000u);
    EXPECT_EQ(TransmitSlotAddress(100, 1), 0x0400u);
    for (int model : {2, 3}) {
        EXPECT_EQ(ReceiveSlotAddress(1, model), 0x1004u);
        EXPECT_EQ(TransmitSlotAddress(1, model), 0x1404u);
        EXPECT_EQ(ReceiveSlotAddress(99, model), 0x1264u);
        EXPECT_EQ(TransmitSlotAddress(99, model), 0x1664u);
        EXPECT_EQ(ReceiveSlotAddress(100, model), 0x1000u);
        EXPECT_EQ(TransmitSlotAddress(100, model), 0x1400u);
    }
}

TEST(SlotAddress, WalkOfTheSlotsMatchesTheAddressRule) {
    // The build and the decoder walk the slots: +4, and +28 after x9.
    std::size_t address = 0x1004;
    for (int ch = 1; ch <= 99; ++ch) {
        EXPECT_EQ(address, ReceiveSlotAddress(ch, 3)) << "channel " << ch;
        address += (ch % 10 == 9) ? 28 : 4;
    }
}

TEST(Templates, HaveTheModelSizesAndListedBytes) {
    const auto t1 = TemplateBytes(1);
    const auto t2 = TemplateBytes(2);
    const auto t3 = TemplateBytes(3);
    ASSERT_EQ(t1.size(), 2048u);
    ASSERT_EQ(t2.size(), 8192u);
    ASSERT_EQ(t3.size(), 8192u);

    EXPECT_EQ(t1[0x3F0], 0x01);
    for (std::size_t a = 0x3F1; a <= 0x3FF; ++a)
        EXPECT_EQ(t1[a], 0x00);
    for (std::size_t a = 0; a < 0x3F0; ++a)
        ASSERT_EQ(t1[a], 0xFF) << a;
    for (std::size_t a = 0x400; a < 0x800; ++a)
        ASSERT_EQ(t1[a], 0xFF) << a;

    EXPECT_EQ(std::vector<std::uint8_t>(t2.begin() + 0x140, t2.begin() + 0x144),
              (std::vector<std::uint8_t>{0xC0, 0x60, 0xBC, 0x00}));
    const std::vector<std::uint8_t> m2data{0x00, 0x00, 0x00, 0x72, 0xFF, 0x56, 0xFF, 0x03, 0x01};
    EXPECT_EQ(std::vector<std::uint8_t>(t2.begin() + 0x13E8, t2.begin() + 0x13F1), m2data);
    const std::vector<std::uint8_t> m2tail{0x00, 0x00, 0x04, 0x68, 0x05,
                                           0x66, 0xFF, 0xFF, 0x01, 0xE9};
    EXPECT_EQ(std::vector<std::uint8_t>(t2.begin() + 0x1FF6, t2.end()), m2tail);

    EXPECT_EQ(std::vector<std::uint8_t>(t3.begin() + 0x140, t3.begin() + 0x144),
              (std::vector<std::uint8_t>{0x3F, 0x80, 0x00, 0x00}));
    EXPECT_EQ(t3[0x0E00], 0x9D);
    EXPECT_EQ(t3[0x0EFF], 0x9D);
    EXPECT_EQ(t3[0x12FE], 0x03);
    EXPECT_EQ(t3[0x12FF], 0x26);
    const std::vector<std::uint8_t> m3opts{0x01, 0x05, 0x00, 0x00, 0x00, 0x27, 0x00, 0x00,
                                           0x00, 0x00, 0x00, 0x00, 0x00, 0xFF, 0x41, 0x43};
    EXPECT_EQ(std::vector<std::uint8_t>(t3.begin() + 0x13F0, t3.begin() + 0x1400), m3opts);

    // Both channel tables are 0xFF apart from the listed bytes (slot 0xBF and up).
    for (const auto* t : {&t2, &t3})
        for (std::size_t a = 0x1000; a < 0x12FE; ++a)
            ASSERT_EQ((*t)[a], 0xFF) << a;
    for (const auto* t : {&t2, &t3})
        for (std::size_t a = 0x1400; a < 0x1800; ++a)
            ASSERT_EQ((*t)[a], 0xFF) << a;
}

TEST(Templates, EveryCallGivesAFreshCopy) {
    std::vector<std::uint8_t> a = TemplateBytes(3);
    a[0] = 0x00;
    EXPECT_EQ(TemplateBytes(3)[0], 0xFF);
}

TEST(ModelRecognition, UsesLengthThenMarkerBytes) {
    EXPECT_EQ(RecogniseModel(std::vector<std::uint8_t>(2048, 0x00)), 1);
    EXPECT_EQ(RecogniseModel(TemplateBytes(2)), 2);
    EXPECT_EQ(RecogniseModel(TemplateBytes(3)), 3);
    auto both = TemplateBytes(3);
    both[0x13EB] = 0x72; // the KL40a-64 marker, checked first
    EXPECT_EQ(RecogniseModel(both), 2);
    EXPECT_EQ(RecogniseModel(std::vector<std::uint8_t>(8192, 0xFF)), std::nullopt);
    EXPECT_EQ(RecogniseModel(std::vector<std::uint8_t>(2047, 0xFF)), std::nullopt);
    EXPECT_EQ(RecogniseModel(std::vector<std::uint8_t>(1, 0xFF)), std::nullopt);
    EXPECT_EQ(RecogniseModel({}), std::nullopt);
}

} // namespace
} // namespace kl40
