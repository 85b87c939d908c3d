// BuildImage writes the image bytes directly; the public steps build the hex
// form of the image, which PackHexText packs. Both must give the same bytes,
// and the same outcome, for every data set, including entries that are not
// what the entry form stores.

#include "coding/options.h"
#include "core/hex_text.h"
#include "image/image_build.h"
#include "image/layout.h"
#include "support/loaded_form.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <stdexcept>
#include <string>
#include <vector>

namespace kl40 {
namespace {

struct Outcome {
    bool built = false;
    bool threw = false;
    std::vector<std::uint8_t> image;
    std::string scanText;
    std::string optionText;
    std::vector<std::string> messages;

    bool operator==(const Outcome&) const = default;
};

// The image through the hex form, as BuildImage did before it wrote bytes.
Outcome throughHexText(test::LoadedForm& f) {
    Outcome outcome;
    RadioData& data = f.ws.data;
    try {
        if (!HasChannelData(data)) {
            f.ws.platform.show("No data available", "Data Error", Icon::Exclamation);
        } else {
            data.ScanText.clear();
            std::string text = GenerateChannelCodes(f.ws, ',');
            if (text.empty()) throw std::runtime_error("no EPROM code generated");
            PlaceCountAndOptions(f.ws, text);
            PackHexText(text);
            const char code = data.ConfigText.size() >= 15 ? data.ConfigText[14] : '3';
            const std::size_t size = ImageSize(code == '1' ? 1 : code == '2' ? 2 : 3);
            const std::size_t bytes = std::min<std::size_t>((text.size() + 1) / 2, size);
            data.ImageText.assign(text.begin(), text.begin() + static_cast<std::ptrdiff_t>(bytes));
            outcome.built = !data.ImageText.empty();
        }
    } catch (const std::exception&) {
        outcome.threw = true;
    }
    outcome.image = data.ImageText;
    outcome.scanText = data.ScanText;
    outcome.optionText = data.OptionText;
    for (const auto& m : f.platform.messages)
        outcome.messages.push_back(m.text);
    return outcome;
}

Outcome direct(test::LoadedForm& f) {
    Outcome outcome;
    try {
        outcome.built = BuildImage(f.ws);
    } catch (const std::exception&) {
        outcome.threw = true;
    }
    outcome.image = f.ws.data.ImageText;
    outcome.scanText = f.ws.data.ScanText;
    outcome.optionText = f.ws.data.OptionText;
    for (const auto& m : f.platform.messages)
        outcome.messages.push_back(m.text);
    return outcome;
}

// Sets up two identical radios with `setup` and compares both routes.
template <class Setup> void expectSameOutcome(Setup setup, const char* what) {
    test::LoadedForm a;
    test::LoadedForm b;
    setup(a);
    setup(b);
    a.platform.clear();
    b.platform.clear();
    const Outcome hex = throughHexText(a);
    const Outcome bytes = direct(b);
    EXPECT_EQ(bytes, hex) << what;
}

TEST(ImageBuildRoute, StoredRadiosOfEveryModel) {
    for (int model = 0; model < 3; ++model) {
        expectSameOutcome(
            [model](test::LoadedForm& f) {
                f.chooseModel(model);
                f.ws.form.chkCTCSS_en.setChecked(true);
                for (int ch = 1; ch <= 99; ch += 1 + ch % 3)
                    f.store(ch, std::to_string(400 + ch / 2) + ".1250",
                            ch % 4 ? "" : std::to_string(449 - ch / 3) + ".5",
                            ch % 5 ? "88.5 " : "241.8", ch % 7 == 0);
            },
            "full radio");
        expectSameOutcome(
            [model](test::LoadedForm& f) {
                f.chooseModel(model);
                f.store(1, "435.0125");
            },
            "one channel");
    }
}

TEST(ImageBuildRoute, EntriesTheFormWouldNotStore) {
    const char* entries[][2] = {
        {"7", "7a,435.1250,430.1250,88.5 ,Y"},    // a letter in the scan list
        {"8", "8,435.1250,430.1250,none ,Y"},     // one digit, padded
        {"9", "9,4x5.1250,430.1250,none ,N"},     // not a number
        {"9", "9,435.1250,430.1250,none"},        // too few fields
        {"9", "9,999.0000,430.1250,none ,N"},     // beyond the codes
        {"9", "9,435.1250,430.1250,88.5 ,Y,Y,Y"}, // extra fields
        {"12", "123,435.1250,430.1250,88.5 ,Y"},  // three digits for the scan list
        {"12", ",435.1250,430.1250,88.5 ,Y"},     // no number
        {"99", "99,435.1250,430.1250,88.5 ,y"},   // lower-case flag
        {"100", "100,435.1250,430.1250,88.5 ,Y"}, // channel 100
        {"3", "g3,435.1250,430.1250,88.5 ,Y"},    // a letter that is no hex digit
        {"3", "-1,435.1250,430.1250,88.5 ,Y"},    // a sign
    };
    for (const auto& [slot, entry] : entries) {
        for (int model = 0; model < 3; ++model) {
            expectSameOutcome(
                [&, model](test::LoadedForm& f) {
                    f.chooseModel(model);
                    f.store(1, "439.5", "", "88.5 ", true);
                    f.slot(std::stoi(slot)) = entry;
                    f.ws.data.ChannelCountText = slot;
                },
                entry);
        }
    }
}

TEST(ImageBuildRoute, ChannelCountAndOptionsOutOfTheOrdinary) {
    for (const char* count : {"1", "5", "x5", "", "100", "-3", "0A"}) {
        expectSameOutcome(
            [count](test::LoadedForm& f) {
                f.store(5, "435.125");
                f.ws.data.ChannelCountText = count;
            },
            count);
    }
    for (const char* options : {"05", "05G", "0540000000000", "05400000000000000000", "0"}) {
        expectSameOutcome(
            [options](test::LoadedForm& f) {
                f.store(5, "435.125");
                f.ws.data.OptionBaseText = options;
            },
            options);
    }
    expectSameOutcome([](test::LoadedForm& f) { f.ws.data.ConfigText = "0"; }, "no data");
    expectSameOutcome(
        [](test::LoadedForm& f) {
            f.store(5, "435.125");
            f.ws.data.ConfigText = "01";
        },
        "short ConfigText");
}

} // namespace
} // namespace kl40
