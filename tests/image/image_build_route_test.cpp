// The typed build against the build it replaced, which worked on the form's
// texts and the hex text of the image: random radios entered through the
// form, and opened images edited further, must give the same bytes.

#include "coding/tone_table.h"
#include "core/hex_text.h"
#include "core/option_table.h"
#include "image/image_build.h"
#include "image/image_build_text.h"
#include "image/image_decode.h"
#include "image/layout.h"
#include "support/loaded_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

// The image through the hex text, as the build did before it was typed.
std::vector<std::uint8_t> throughHexText(test::LoadedForm& f) {
    RadioData& data = f.ws.data;
    data.ScanText.clear();
    std::string text = GenerateChannelCodes(f.ws, ',');
    if (text.empty()) return {};
    PlaceCountAndOptions(f.ws, text);
    PackHexText(text);
    const std::size_t size = ImageSize(data.ConfigText[14] - '0');
    return std::vector<std::uint8_t>(text.begin(),
                                     text.begin() + static_cast<std::ptrdiff_t>(size));
}

std::vector<std::uint8_t> typed(test::LoadedForm& f) {
    f.ws.FirmwareFolder.clear();
    if (!BuildImage(f.ws)) return {};
    return f.ws.data.ImageText;
}

// A random radio entered through the form: model, time-out, option boxes,
// channels on and off the raster, tones, scan flags, and a deleted channel.
void enterRandomRadio(test::LoadedForm& f, std::mt19937& random) {
    const auto pick = [&random](int n) { return static_cast<int>(random() % n); };
    f.chooseModel(pick(3));
    f.ws.form.cboToT.setListIndex(pick(3));
    for (const RadioOption& option : RadioOptions())
        if (CheckBox& box = f.ws.form.*option.box; box.enabled() && pick(2)) box.setChecked(true);
    const int channels = 1 + pick(40);
    for (int k = 0; k < channels; ++k) {
        const int units = 4000000 + pick(500001);
        const std::string rx = std::to_string(units / 10000) + "." +
                               std::to_string(10000 + units % 10000).substr(1);
        const std::string tx = pick(3) ? "" : std::to_string(400 + pick(51)) + ".0125";
        f.store(1 + pick(99), rx, tx, ToneTable[static_cast<std::size_t>(pick(kToneCount))].listText,
                pick(3) == 0);
    }
    f.platform.clear();
}

TEST(ImageBuildRoute, TypedBuildGivesTheBytesOfTheTextBuild) {
    std::mt19937 random(2026);
    for (int round = 0; round < 300; ++round) {
        test::LoadedForm f;
        enterRandomRadio(f, random);
        if (round % 3 == 0) {
            // Opened from an image and changed: the options then start from
            // the model's own digits.
            ASSERT_TRUE(BuildImage(f.ws));
            f.ws.data.ImageText = f.ws.data.ImageText;
            f.ws.data.LoadingForm = true;
            ASSERT_TRUE(DecodeImage(f.ws));
            f.ws.data.LoadingForm = false;
            f.store(1 + static_cast<int>(random() % 99), "433.5000");
        }
        const std::vector<std::uint8_t> before = throughHexText(f);
        ASSERT_FALSE(before.empty()) << round;
        EXPECT_EQ(typed(f), before) << "round " << round;
    }
}

} // namespace
} // namespace kl40
