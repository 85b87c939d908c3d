#include "coding/options.h"

#include "core/hex_text.h"
#include "core/numbers.h"
#include "core/option_rules.h"
#include "core/option_table.h"
#include "core/radio_model.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kl40 {

namespace {

constexpr const char* kDataError = "Data Error";

// Where a ConfigText digit lands in OptionText. Positions count from 1. A
// weight of 0 marks a copied digit: the ConfigText digit itself replaces the
// OptionText digit.
struct OptionPlace {
    int configPos;
    int optionPos;
    int weight;
};

// The places of a model: its option bits, its time-out digit and, unless the
// base holds it, its model constant.
std::vector<OptionPlace> placesOf(const RadioModel& model) {
    std::vector<OptionPlace> places;
    for (const RadioOption& option : RadioOptions()) {
        const OptionBit bit = model.optionBits[OptionIndex(option)];
        if (option.configPos != 0 && bit.digit != 0)
            places.push_back({option.configPos, bit.digit, bit.weight});
    }
    places.push_back({12, model.timeoutOptionPos, 0});
    if (!model.constantHalved) places.push_back({13, model.constantOptionPos, 0});
    return places;
}

// Value of one upper-case hex digit of the base text; anything else is a
// corrupt base and is raised to the image build.
int baseDigitValue(char c) {
    const int value = HexDigitValue(c);
    if (value < 0) throw std::invalid_argument("option base digit is not a hex digit");
    return value;
}

} // namespace

char TimeoutDigit(int listIndex, int bandCode) {
    // Before a model is chosen (BandCode 0) the first model's digits apply.
    const RadioModel* model = FindModel(bandCode);
    const auto& digits = (model ? *model : RadioModels().front()).timeoutDigits;
    return listIndex >= 1 && listIndex <= 2 ? digits[static_cast<std::size_t>(listIndex)]
                                            : digits[0];
}

int TimeoutIndexFromQuarter(int quarter) {
    switch (quarter) {
    case 0:
    case 1:
        return 0;
    case 3:
        return 2;
    default:
        return 1;
    }
}

int TimeoutIndex(const RadioModel& model, int digitValue) {
    switch (model.timeoutDecoding) {
    case TimeoutDecoding::ExactDigit:
        for (std::size_t i = 0; i < model.timeoutDigits.size(); ++i)
            if (digitValue >= 0 && digitValue < 16 &&
                "0123456789ABCDEF"[digitValue] == model.timeoutDigits[i])
                return static_cast<int>(i);
        return 0;
    case TimeoutDecoding::NearestQuarter:
        return TimeoutIndexFromQuarter(static_cast<int>(std::nearbyint(digitValue / 4.0)));
    }
    return 0;
}

namespace {

// Adds ConfigText's digits 3-14 into `text` at the model's places: a flag adds
// its weight to its digit, the time-out digit and the model constant replace
// theirs. Throws std::out_of_range for a digit that would pass F.
void placeConfigDigits(std::string& text, std::string_view config, const RadioModel& model) {
    const std::vector<OptionPlace> places = placesOf(model);
    for (int pos = 3; pos <= 14 && pos <= static_cast<int>(config.size()); ++pos) {
        const int v = HexDigitValue(config[static_cast<std::size_t>(pos - 1)]);
        if (v == 0) continue;
        for (const OptionPlace& place : places) {
            if (place.configPos != pos) continue;
            char& target = text.at(static_cast<std::size_t>(place.optionPos - 1));
            const int value = place.weight == 0 ? v : baseDigitValue(target) + place.weight;
            if (value > 15) throw std::out_of_range("option digit above F");
            target = HexDigits(static_cast<std::uint32_t>(value)).front();
        }
    }
}

} // namespace

std::string ConfigTextOf(const Radio& radio) {
    std::string config = kDefaultConfigText;
    const RadioModel& model = radio.modelFacts();
    const std::string count = TwoDigit(std::clamp(radio.channelCount, 0, kHighestChannel));
    config[0] = count[0];
    config[1] = count[1];
    for (const RadioOption& option : RadioOptions())
        if (option.configPos != 0 && radio.options[OptionIndex(option)])
            config[static_cast<std::size_t>(option.configPos - 1)] = '1';
    config[11] = TimeoutDigit(radio.timeout, model.code);
    config[12] = model.modelConstant;
    config[14] = static_cast<char>('0' + model.code);
    return config;
}

std::string OptionTextOf(const Radio& radio) {
    const RadioModel* readFrom = FindModel(radio.optionsReadFrom);
    std::string text = readFrom ? "00" + std::string(readFrom->optionBase) : kDefaultOptionText;
    const std::string count = TwoDigit(std::clamp(radio.channelCount, 0, kHighestChannel));
    text[0] = count[0];
    text[1] = count[1];
    placeConfigDigits(text, ConfigTextOf(radio), radio.modelFacts());
    return text;
}

} // namespace kl40
