#include "coding/options.h"
#include "image/image_decode.h"
#include "ui/flows/form_image.h"

#include "coding/frequency_code.h"
#include "entry/channel_text.h"
#include "image/layout.h"
#include "image/templates.h"
#include "support/loaded_form.h"
#include "support/random_radio.h"
#include "image/image_build.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <variant>
#include <vector>

namespace kl40 {
namespace {

using Bytes = std::vector<std::uint8_t>;

void put(Bytes& image, std::size_t address, const Bytes& bytes) {
    std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(address));
}

class ImageDecodeTest : public ::testing::Test, public test::LoadedForm {
protected:
    bool decode(Bytes image) {
        ws.data.ImageText = std::move(image);
        ws.data.LoadingForm = true;
        const bool ok = DecodeImage(ws);
        ws.data.LoadingForm = false;
        return ok;
    }
};

// Byte 1 of a slot code holds the check bit (0x40), the tone code and, in
// bit 0, the divider's highest bit.
TEST(DecodeImage, SeparatesToneFromCheckBitAndFrequencyBit) {
    struct Case {
        std::uint8_t b1;
        const char* tone;
        const char* tx;
    } cases[] = {{0x7E, "71.9", "27.2000"},  {0x7F, "71.9", "436.8000"},
                 {0x40, "none", "27.2000"},  {0x41, "none", "436.8000"},
                 {0x0C, "203.5", "27.2000"}, {0x0B, "210.7", "436.8000"},
                 {0x01, "none", "436.8000"}};
    for (const auto& c : cases) {
        Bytes image = TemplateBytes(3);
        image[0x13F0] = 0x01;
        put(image, TransmitSlotAddress(1, 3), {0xFF, c.b1, 0x05, 0x00});
        const std::optional<Radio> radio = DecodeImage(image);
        ASSERT_TRUE(radio && radio->channels[1]);
        const Channel& channel = *radio->channels[1];
        EXPECT_EQ(ToneText(channel.tone), c.tone) << int{c.b1};
        EXPECT_EQ(FrequencyText(*channel.tx), c.tx) << int{c.b1};
    }
}

TEST_F(ImageDecodeTest, WalkStopsAtTheStoredCountAndDecodesChannelsUpToIt) {
    Bytes image = TemplateBytes(1);
    for (int ch = 1; ch <= 5; ++ch) {
        put(image, ReceiveSlotAddress(ch, 1), {0xFF, 0x41, 0x05, 0x00});
        put(image, TransmitSlotAddress(ch, 1), {0xFF, 0x7F, 0x06, 0x31}); // 71.9 Hz
    }
    put(image, ReceiveSlotAddress(10, 1), {0xFF, 0x41, 0x05, 0x00}); // beyond the count
    put(image, TransmitSlotAddress(10, 1), {0xFF, 0x41, 0x06, 0x30});
    image[0x3F0] = 0x05;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(ws.data.radio.channelCount, 5);
    EXPECT_EQ(slot(5), "5,439.0000,439.0125,71.9 ,N");
    EXPECT_EQ(slot(10), "");
    EXPECT_EQ(ws.form.lstFreq.count(), 5);
    EXPECT_EQ(ws.form.cboRadio.text(), "KL40a-16");
}

TEST_F(ImageDecodeTest, StoredCountStandsWhenNoTransmitSlotIsFoundAtOrAboveIt) {
    Bytes image = TemplateBytes(3);
    put(image, ReceiveSlotAddress(3, 3), {0xFF, 0x01, 0x05, 0x00});
    put(image, TransmitSlotAddress(3, 3), {0xFF, 0x01, 0x06, 0x30});
    image[0x13F0] = 0x07;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(ws.data.radio.channelCount, 7) << "not 101";
    EXPECT_EQ(slot(3), "3,439.0000,439.0000,none ,N");
}

TEST_F(ImageDecodeTest, ScanListsOfAllModelsAreRecovered) {
    // Models 1 and 2: byte 0 of receive slots 0, 1, 2, ...; channel 1 in use,
    // so its lead byte is the second scan entry.
    Bytes image = TemplateBytes(2);
    image[0x13F0] = 0x05;
    put(image, ReceiveSlotAddress(1, 2), {0x12, 0x01, 0x05, 0x00});
    put(image, TransmitSlotAddress(1, 2), {0xFF, 0x01, 0x06, 0x30});
    put(image, ReceiveSlotAddress(5, 2), {0xFF, 0x01, 0x05, 0x00});
    put(image, TransmitSlotAddress(5, 2), {0xFF, 0x01, 0x06, 0x30});
    image[0x1000] = 0x05;
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(slot(5).back(), 'Y');
    EXPECT_EQ(slot(1).back(), 'N');
    // Scan entries in slots 0-1 do not make unused channels appear.
    EXPECT_EQ(ws.form.lstFreq.count(), 2);

    // Model 3: consecutive entries, ended by an end mark or after 32 entries.
    Bytes m3 = TemplateBytes(3);
    m3[0x13F0] = 0x33;
    for (int ch : {1, 31, 32, 33}) {
        put(m3, ReceiveSlotAddress(ch, 3), {0xFF, 0x01, 0x05, 0x00});
        put(m3, TransmitSlotAddress(ch, 3), {0xFF, 0x01, 0x06, 0x30});
    }
    const auto scanned = [&m3](int ch) {
        return DecodeImage(m3)->channels[static_cast<std::size_t>(ch)]->scan;
    };
    for (std::size_t k = 0; k < 33; ++k)
        m3[0x1300 + k] = static_cast<std::uint8_t>(((k + 1) / 10) * 16 + (k + 1) % 10);
    m3[0x1300 + 31] = 0xFF;
    EXPECT_TRUE(scanned(1));
    EXPECT_TRUE(scanned(31));
    EXPECT_FALSE(scanned(32)) << "after the end mark";
    m3[0x1300 + 31] = 0x32;
    EXPECT_TRUE(scanned(32));
    EXPECT_FALSE(scanned(33)) << "beyond the 32 entries that are read";
}

TEST_F(ImageDecodeTest, OptionBytesSetFlagsBoxesAndTimeout) {
    Bytes m3 = TemplateBytes(3); // count 01, options 05 00 00 00 27
    put(m3, ReceiveSlotAddress(1, 3), {0xFF, 0x01, 0x05, 0x00});
    put(m3, TransmitSlotAddress(1, 3), {0xFF, 0x01, 0x06, 0x30});
    ASSERT_TRUE(decode(m3));
    EXPECT_EQ(ws.form.cboToT.text(), "2.00");
    // Option byte 1 is 05 (digits "0", "5"): no flag of digit 3, and digit 4
    // sets "Enable Scan" only for exactly 1.
    EXPECT_EQ(ConfigTextOf(ws.data.radio), "010000000007203");
    EXPECT_FALSE(ws.form.chkScan_En.checked());
    EXPECT_FALSE(ws.form.chkTX_Inh.checked());
    EXPECT_FALSE(ws.form.chkHiLo.enabled());
    EXPECT_EQ(ws.data.radio.optionsReadFrom, 3);

    Bytes m1 = TemplateBytes(1);
    m1[0x3F0] = 0x01;
    m1[0x3F1] = 0x8C;
    put(m1, ReceiveSlotAddress(1, 1), {0xFF, 0x41, 0x05, 0x00});
    put(m1, TransmitSlotAddress(1, 1), {0xFF, 0x41, 0x06, 0x30});
    ASSERT_TRUE(decode(m1));
    EXPECT_EQ(ConfigTextOf(ws.data.radio)[13], '1') << "High/Low Power";
    EXPECT_EQ(ConfigTextOf(ws.data.radio)[11], 'C');
    EXPECT_EQ(ConfigTextOf(ws.data.radio)[10], '0');
    EXPECT_EQ(ConfigTextOf(ws.data.radio)[8], '0');
    EXPECT_TRUE(ws.form.chkHiLo.checked());
    EXPECT_TRUE(ws.form.chkHiLo.enabled());
    EXPECT_EQ(ws.form.cboToT.text(), "3.00");
    EXPECT_EQ(ws.data.radio.optionsReadFrom, 1);
}

TEST_F(ImageDecodeTest, FirstListedChannelIsSelectedAndShown) {
    Bytes image = TemplateBytes(3);
    image[0x13F0] = 0x12;
    put(image, ReceiveSlotAddress(7, 3), {0xFF, 0x01, 0x05, 0x00});
    put(image, TransmitSlotAddress(7, 3), {0xFF, 0x01, 0x06, 0x30});
    put(image, ReceiveSlotAddress(12, 3), {0xFF, 0x01, 0x05, 0x01});
    put(image, TransmitSlotAddress(12, 3), {0xFF, 0x01, 0x06, 0x31});
    ASSERT_TRUE(decode(image));
    EXPECT_EQ(ws.form.lstFreq.listIndex(), 0);
    EXPECT_EQ(ws.form.txtRx.text(), "439.0000");
    EXPECT_EQ(ws.form.cboCh.text(), "7");
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ImageDecodeTest, ChannelHundredAloneDecodesWithoutFailing) {
    Bytes image = TemplateBytes(3);
    image[0x13F0] = 0x99;
    put(image, 0x1000, {0xFF, 0x01, 0x05, 0x00});
    put(image, 0x1400, {0xFF, 0x01, 0x06, 0x30});
    ASSERT_TRUE(decode(image));
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(ws.data.radio.channelCount, 100);
}

TEST_F(ImageDecodeTest, UnknownModelIsRefused) {
    EXPECT_FALSE(decode(Bytes(8192, 0xFF)));
    EXPECT_EQ(platform.last().text, "Error in decoding channel");
    EXPECT_EQ(platform.last().title, "Data Error");
    EXPECT_EQ(platform.last().icon, Icon::Exclamation);
}

// Truncated, random and bit-flipped images: decoding may refuse them but must
// never crash, read outside the image (the suite also runs under the address
// and undefined-behaviour sanitizers), refuse silently or list more channels
// than the radio has. An image of no model's length is always refused.
TEST_F(ImageDecodeTest, DamagedImagesNeverCrashTheDecoder) {
    std::mt19937 random(12345);
    auto randomImage = [&](std::size_t size) {
        Bytes b(size);
        for (auto& x : b)
            x = static_cast<std::uint8_t>(random());
        return b;
    };
    const auto decodeChecked = [&](Bytes image) {
        const std::size_t size = image.size();
        const std::size_t linesBefore = ws.form.lstFreq.lines().size();
        const bool ok = decode(std::move(image));
        EXPECT_TRUE(ok || !platform.messages.empty()) << "refused silently";
        EXPECT_TRUE(size == 2048 || size == 8192 || !ok) << size << " bytes";
        EXPECT_LE(ws.form.lstFreq.lines().size() - linesBefore, 100u);
        platform.clear();
    };
    const std::size_t sizes[] = {1, 2, 100, 2047, 2048, 2049, 8191, 8192, 8193, 65000};
    for (std::size_t size : sizes)
        decodeChecked(randomImage(size));
    for (int model : {1, 2, 3}) {
        for (int round = 0; round < 40; ++round) {
            Bytes image = TemplateBytes(model);
            if (model != 1) image[model == 2 ? 0x13EB : 0x12FF] = model == 2 ? 0x72 : 0x26;
            for (int flips = 0; flips < 64; ++flips) {
                const std::size_t at = DataBase(model) + random() % 0x800;
                image[at] ^= static_cast<std::uint8_t>(1u << (random() % 8));
            }
            // Random data area, marker kept.
            if (round % 4 == 0)
                for (std::size_t a = DataBase(model); a < DataBase(model) + 0x800; ++a)
                    if (a != 0x13EB && a != 0x12FF) image[a] = static_cast<std::uint8_t>(random());
            decodeChecked(image);
        }
    }
}

// A built image has no damage; each kind of damage to one channel's bytes
// is told, naming that channel and no other.
TEST(ImageDamage, NamesTheDamagedChannelOnly) {
    std::mt19937 rng(17);
    for (int round = 0; round < 40; ++round) {
        const Radio radio = test::RandomRadio(rng);
        auto built = BuildImage(radio);
        ASSERT_TRUE(std::holds_alternative<Bytes>(built));
        const Bytes image = std::get<Bytes>(built);
        EXPECT_EQ(ImageDamage(image, *DecodeImage(image)), std::vector<std::string>{});

        const int last = radio.highestChannel();
        const int kind = round % 5;
        const int n = kind == 3 ? last : [&] {
            int k = std::uniform_int_distribution<int>(1, last)(rng);
            while (!radio.channels[static_cast<std::size_t>(k)]) ++k;
            return k;
        }();
        if (kind == 3 && !radio.channels[static_cast<std::size_t>(last - 1)]) continue;
        Bytes damaged = image;
        const std::size_t rx = ReceiveSlotAddress(n, radio.model);
        const std::size_t tx = TransmitSlotAddress(n, radio.model);
        switch (kind) {
        case 0: put(damaged, tx + 1, {0xFF, 0xFF, 0xFF}); break;
        case 1: put(damaged, rx + 1, {0xFF, 0xFF, 0xFF}); break;
        case 2: damaged[tx + 1] = static_cast<std::uint8_t>((damaged[tx + 1] & 0xC1) | 0x34); break;
        case 3: damaged[DataBase(radio.model) + kCountOffset] = static_cast<std::uint8_t>(
                    (last - 1) / 10 * 16 + (last - 1) % 10); break;
        default: put(damaged, rx + 1, {0x00, 0x00, 0x00}); break; // far below the band
        }
        const std::vector<std::string> notes = ImageDamage(damaged, *DecodeImage(damaged));
        ASSERT_FALSE(notes.empty()) << "kind " << kind << ", channel " << n;
        for (const std::string& note : notes)
            EXPECT_TRUE(note.starts_with("channel " + std::to_string(n) + ' ') ||
                        note.starts_with("channel " + std::to_string(n) + ':'))
                << note;
    }
}

} // namespace
} // namespace kl40
