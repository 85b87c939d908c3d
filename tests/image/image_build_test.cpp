#include "image/image_build.h"
#include "ui/flows/form_image.h"

#include "image/image_decode.h"
#include "image/layout.h"
#include "image/templates.h"
#include "support/loaded_form.h"

#include "support/channel_slots.h"

#include <gtest/gtest.h>

#include <map>
#include <sstream>
#include <vector>

namespace kl40 {
namespace {

using Bytes = std::vector<std::uint8_t>;

// The template of `model` with `patches` (address -> bytes) applied: the whole
// expected image, so a stray byte anywhere fails the comparison.
Bytes expectedImage(int model, const std::map<std::size_t, Bytes>& patches) {
    Bytes image = TemplateBytes(model);
    for (const auto& [address, bytes] : patches)
        std::copy(bytes.begin(), bytes.end(), image.begin() + static_cast<std::ptrdiff_t>(address));
    return image;
}

std::string hexAddress(std::size_t a) {
    std::ostringstream out;
    out << std::hex << std::uppercase << a;
    return out.str();
}

// Lists the addresses where two images differ, for readable failures.
std::string differences(const Bytes& actual, const Bytes& expected) {
    std::string out;
    if (actual.size() != expected.size())
        return "size " + std::to_string(actual.size()) + " vs " + std::to_string(expected.size());
    for (std::size_t a = 0; a < actual.size(); ++a)
        if (actual[a] != expected[a])
            out += " @" + hexAddress(a) + "=" + std::to_string(actual[a]) + "/" +
                   std::to_string(expected[a]);
    return out;
}

class ImageBuildTest : public ::testing::Test, public test::LoadedForm {
protected:
    Bytes build() {
        EXPECT_TRUE(BuildImage(ws));
        return ws.data.ImageText;
    }
};

TEST_F(ImageBuildTest, SingleChannelChangesOnlyItsSlotsCountAndOptions) {
    chooseModel(0); // KL40a-16
    store(3, "439");
    const Bytes image = build();
    const Bytes expected =
        expectedImage(1, {{0x000C, {0xFF, 0x41, 0x05, 0x00}},
                          {0x040C, {0xFF, 0x41, 0x06, 0x30}},
                          {0x03F0, {0x03, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}});
    EXPECT_EQ(image, expected) << differences(image, expected);
    EXPECT_EQ(image.size(), 2048u);
    EXPECT_TRUE(platform.messages.empty());
}

TEST_F(ImageBuildTest, ChannelsLandInTheirBcdSlotsWithGapsLeftAlone) {
    chooseModel(0);
    store(1, "439.0125");
    store(2, "439");
    store(5, "439.8125", "439.0875");
    store(10, "439", "439.0125");
    const Bytes image = build();
    const Bytes expected =
        expectedImage(1, {{0x0004, {0xFF, 0x01, 0x05, 0x01}},
                          {0x0404, {0xFF, 0x01, 0x06, 0x31}},
                          {0x0008, {0xFF, 0x41, 0x05, 0x00}},
                          {0x0408, {0xFF, 0x41, 0x06, 0x30}},
                          {0x0014, {0xFF, 0x41, 0x05, 0x81}},
                          // 439.0875 transmit: M = 33591, N = 524, A = 55 -> 0x10637, 16 one bits.
                          {0x0414, {0xFF, 0x01, 0x06, 0x37}},
                          {0x0040, {0xFF, 0x41, 0x05, 0x00}},
                          {0x0440, {0xFF, 0x01, 0x06, 0x31}},
                          {0x03F0, {0x10, 0x08, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00}}});
    EXPECT_EQ(image, expected) << differences(image, expected);
}

TEST_F(ImageBuildTest, TonesGoIntoTransmitCodesAndReceiveCodesOnlyForKl40cWithRxCtcss) {
    chooseModel(1); // KL40a-64: transmit only
    store(1, "439.0125", "", "71.9 ");
    store(2, "439", "", "241.8");
    ws.form.chkCTCSS_en.click();
    Bytes image = build();
    EXPECT_EQ(image[0x1005], 0x01) << "receive code keeps no tone on KL40a models";
    EXPECT_EQ(image[0x1405], 0x3F) << "01 + 3E";
    EXPECT_EQ(image[0x1409], 0x43) << "41 + 02";

    chooseModel(2); // KL40c with "Receive CTCSS enable" ticked
    image = build();
    EXPECT_EQ(image[0x1005], 0x3F);
    EXPECT_EQ(image[0x1405], 0x3F);
    EXPECT_EQ(image[0x1009], 0x03) << "model 3 has no check bit: 01 + 02";

    ws.form.chkCTCSS_en.click(); // off again
    image = build();
    EXPECT_EQ(image[0x1005], 0x01);
    EXPECT_EQ(image[0x1405], 0x3F);
}

TEST_F(ImageBuildTest, ScanListPlacesDifferByModel) {
    store(5, "439", "", "none ", true);
    store(12, "439", "", "none ", true);

    chooseModel(2);
    Bytes image = build();
    EXPECT_EQ(image[0x1300], 0x05);
    EXPECT_EQ(image[0x1301], 0x12);
    EXPECT_EQ(image[0x1302], 0xFF);
    EXPECT_EQ(image[0x1000], 0xFF) << "model 3 leaves slot lead bytes alone";

    chooseModel(1);
    image = build();
    EXPECT_EQ(image[0x1000], 0x05);
    EXPECT_EQ(image[0x1004], 0x12);
    EXPECT_EQ(image[0x1008], 0xFF) << "no end mark is written";
    EXPECT_EQ(image[0x1300], 0xFF);

    chooseModel(0);
    image = build();
    EXPECT_EQ(image[0x0000], 0x05);
    EXPECT_EQ(image[0x0004], 0x12);
}

TEST_F(ImageBuildTest, FirstBuildOfAFreshKl40cUsesModel3CodeRules) {
    // Nothing chosen since start-up: the selector shows "KL40c".
    store(1, "420.0625");
    const Bytes image = build();
    EXPECT_EQ(image[0x1004], 0x00) << "harmonic marker of model 3 receive codes";
    EXPECT_EQ(image[0x1005], 0x00) << "no check bit on model 3";
    EXPECT_EQ(image[0x1006], 0xF9);
    EXPECT_EQ(image[0x1007], 0x15);
}

TEST_F(ImageBuildTest, OptionBytesFollowTheModelTablesAndNeverAccumulate) {
    chooseModel(0);
    ws.form.chkScan_En.click();
    ws.form.chkCTCSS_en.click();
    ws.form.chkHiLo.click();
    store(16, "439");
    Bytes image = build();
    EXPECT_EQ(Bytes(image.begin() + 0x3F0, image.begin() + 0x3F8),
              (Bytes{0x16, 0x88, 0x01, 0x02, 0x00, 0x00, 0x00, 0x00}));
    EXPECT_EQ(build(), image) << "a second build gives the same bytes";

    chooseModel(2);
    image = build();
    EXPECT_EQ(Bytes(image.begin() + 0x13F0, image.begin() + 0x13F8),
              (Bytes{0x16, 0x01, 0x40, 0x00, 0x00, 0x27, 0x00, 0x00}));
    EXPECT_EQ(build(), image);
}

TEST_F(ImageBuildTest, ChannelAboveTheCountIsNeitherCodedNorScanned) {
    store(5, "439", "", "none ", true);
    test::SetEntry(ws, 7, "7,439.0000,439.0000,none ,Y"); // not counted
    const Bytes image = build();
    EXPECT_EQ(image[0x101C + 1], 0xFF);
    EXPECT_EQ(image[0x141C + 1], 0xFF);
}

TEST_F(ImageBuildTest, ChannelHundredIsPlacedInSlotZeroButNeverScanned) {
    chooseModel(2);
    store(99, "439", "", "none ", true);
    test::SetEntry(ws, 100, "100,439.0125,439.0125,none,Y");
    ws.data.radio.channelCount = 100;
    const Bytes image = build();
    EXPECT_EQ(Bytes(image.begin() + 0x1000, image.begin() + 0x1004),
              (Bytes{0xFF, 0x01, 0x05, 0x01}));
    EXPECT_EQ(image[0x1300], 0x99);
    EXPECT_EQ(image[0x1301], 0xFF);
    // Stored as 99, which decodes to 100 again; "10" would hide channels 11-99.
    EXPECT_EQ(image[0x13F0], 0x99) << "a count of 100 is stored as 99";
}

TEST_F(ImageBuildTest, NoChannelsMeansNoImage) {
    EXPECT_FALSE(BuildImage(ws));
    ASSERT_EQ(platform.messages.size(), 1u);
    EXPECT_EQ(platform.last().text, "No data available");
    EXPECT_EQ(platform.last().title, "Data Error");
    EXPECT_EQ(platform.last().icon, Icon::Exclamation);
    EXPECT_TRUE(ws.data.ImageText.empty());
}

TEST_F(ImageBuildTest, BrokenEntryStopsTheBuildWithItsMessage) {
    store(1, "439");
    test::SetEntry(ws, 1, "1,abc,439.0000,none ,N");
    EXPECT_FALSE(BuildImage(ws));
    ASSERT_FALSE(platform.messages.empty());
    EXPECT_EQ(platform.messages.front().text, "Error in generating EPROM code");
}

TEST(ImageFilePath, ReplacesAThreeCharacterExtensionOrAppendsBin) {
    EXPECT_EQ(ImageFilePath("/radios/club.txt"), "/radios/club.bin");
    EXPECT_EQ(ImageFilePath("/radios/club.bin"), "/radios/club.bin");
    EXPECT_EQ(ImageFilePath("/radios/club"), "/radios/club.bin");
    EXPECT_EQ(ImageFilePath("/radios.old/club"), "/radios.old/club.bin");
    EXPECT_EQ(ImageFilePath("/radios/club.data"), "/radios/club.data.bin");
    EXPECT_EQ(ImageFilePath("a"), "a.bin");
}

// Build, decode into a fresh form, and compare what the operator sees.
class RoundTripTest : public ::testing::TestWithParam<int> {};

TEST_P(RoundTripTest, DecodeRestoresEveryChannelToneScanFlagOptionAndTimeout) {
    const int modelIndex = GetParam();
    test::LoadedForm source;
    source.chooseModel(modelIndex);
    source.ws.form.cboToT.setListIndex(2);
    source.ws.form.chkBCO.click();
    source.ws.form.chkDispl_Blnk.click();
    source.ws.form.chkScan_Prog.click(); // ticks "Enable Scan" too
    if (modelIndex != 2) source.ws.form.chkHiLo.click();
    source.store(1, "400", "410.0125", "71.9 ", true);
    source.store(9, "449.9875", "", "241.8", false);
    source.store(10, "433.5", "438.5", "103.5", true);
    source.store(47, "420.0625", "", "none ", false);
    source.store(99, "445.55", "", "186.2", true);
    ASSERT_TRUE(source.platform.messages.empty());
    ASSERT_TRUE(BuildImage(source.ws));

    test::LoadedForm target;
    target.ws.data.ImageText = source.ws.data.ImageText;
    target.ws.data.LoadingForm = true;
    ASSERT_TRUE(DecodeImage(target.ws));
    target.ws.data.LoadingForm = false;
    EXPECT_TRUE(target.platform.messages.empty());

    for (int n : {1, 9, 10, 47, 99})
        EXPECT_EQ(target.slot(n), source.slot(n)) << "channel " << n;
    EXPECT_EQ(target.slot(10), "10,433.5000,438.5000,103.5,Y");
    EXPECT_EQ(target.ws.form.lstFreq.count(), 5);
    EXPECT_EQ(target.ws.data.radio.channelCount, 99);
    EXPECT_EQ(target.ws.form.cboRadio.listIndex(), modelIndex);
    EXPECT_EQ(target.ws.form.cboToT.text(), "3.00");
    const auto& f = target.ws.form;
    EXPECT_TRUE(f.chkBCO.checked());
    EXPECT_TRUE(f.chkDispl_Blnk.checked());
    EXPECT_TRUE(f.chkScan_Prog.checked());
    EXPECT_TRUE(f.chkScan_En.checked());
    EXPECT_EQ(f.chkHiLo.checked(), modelIndex != 2);
    EXPECT_FALSE(f.chkCTCSS_en.checked());
    EXPECT_FALSE(f.chkSilent.checked());
    EXPECT_FALSE(f.chkTX_Inh.checked());
    EXPECT_FALSE(f.chkInd_On.checked());

    // Saving the opened radio again gives the same image, except that an
    // opened KL40a image keeps bit 6 of option byte 2 from its decoding base.
    ASSERT_TRUE(BuildImage(target.ws));
    Bytes again = target.ws.data.ImageText;
    Bytes original = source.ws.data.ImageText;
    if (modelIndex != 2) {
        const std::size_t optionByte2 = DataBase(modelIndex + 1) + 0x3F2;
        EXPECT_EQ(again[optionByte2], original[optionByte2] | 0x40);
        again[optionByte2] = original[optionByte2];
    }
    EXPECT_EQ(again, original);
}

INSTANTIATE_TEST_SUITE_P(AllModels, RoundTripTest, ::testing::Values(0, 1, 2));

} // namespace
} // namespace kl40
