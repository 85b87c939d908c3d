#include "core/radio_model.h"

namespace kl40 {

namespace {
// The two KL40a models code their options alike; they differ in size, data
// base, marker and template.
constexpr RadioModel kl40a(int code, std::string_view name, std::size_t imageSize,
                           std::size_t dataBase,
                           std::optional<std::pair<std::size_t, std::uint8_t>> marker,
                           std::string_view templateFile) {
    return {.code = code,
            .name = name,
            .imageSize = imageSize,
            .dataBase = dataBase,
            .marker = marker,
            .scanList = ScanListStyle::SlotLeadBytes,
            .scanListAddress = 0,
            .decimalOptionBytes = false,
            .timeoutDigits = {'4', '8', 'C'},
            .timeoutOptionPos = 4,
            .timeoutDecoding = TimeoutDecoding::NearestQuarter,
            .modelConstant = '4',
            .constantOptionPos = 5,
            .constantHalved = true,
            .hasHighLowPower = true,
            .harmonicMarker = false,
            .optionBits =
                {{{6, 1}, {0, 0}, {5, 1}, {3, 1}, {11, 8}, {8, 2}, {3, 2}, {8, 1}, {3, 4}, {3, 8}}},
            .receiveTone = false,
            .optionBase = "0040000000",
            .templateFile = templateFile};
}

constexpr std::array<RadioModel, 3> kModels{{
    kl40a(1, "KL40a-16", 0x800, 0x0000, std::nullopt, "kl40a-16.hex"),
    kl40a(2, "KL40a-64", 0x2000, 0x1000, std::pair<std::size_t, std::uint8_t>{0x13EB, 0x72},
          "kl40a-64.hex"),
    {.code = 3,
     .name = "KL40c",
     .imageSize = 0x2000,
     .dataBase = 0x1000,
     .marker = std::pair<std::size_t, std::uint8_t>{0x12FF, 0x26},
     .scanList = ScanListStyle::Consecutive,
     .scanListAddress = 0x1300,
     .decimalOptionBytes = true,
     .timeoutDigits = {'4', '7', '8'},
     .timeoutOptionPos = 12,
     .timeoutDecoding = TimeoutDecoding::ExactDigit,
     .modelConstant = '2',
     .constantOptionPos = 11,
     .constantHalved = false,
     .hasHighLowPower = false,
     .harmonicMarker = true,
     .optionBits =
         {{{4, 1}, {0, 0}, {5, 1}, {3, 1}, {10, 2}, {5, 4}, {3, 2}, {6, 1}, {3, 4}, {0, 0}}},
     .receiveTone = true,
     .optionBase = "0000000020",
     .templateFile = "kl40c.hex"},
}};
} // namespace

std::span<const RadioModel> RadioModels() {
    return kModels;
}

std::vector<std::string> ModelNames() {
    std::vector<std::string> names;
    for (const RadioModel& model : kModels)
        names.emplace_back(model.name);
    return names;
}

int ModelIndex(const RadioModel& model) {
    return static_cast<int>(&model - kModels.data());
}

const RadioModel* FindModel(int code) {
    for (const RadioModel& model : kModels)
        if (model.code == code) return &model;
    return nullptr;
}

const RadioModel* FindModel(std::string_view name) {
    for (const RadioModel& model : kModels)
        if (model.name == name) return &model;
    return nullptr;
}

const RadioModel& DefaultModel() {
    return kModels.back();
}

const RadioModel& ModelOrDefault(int code) {
    const RadioModel* model = FindModel(code);
    return model ? *model : DefaultModel();
}

} // namespace kl40
