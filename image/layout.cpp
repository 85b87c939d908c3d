#include "image/layout.h"

#include "core/radio_model.h"

namespace kl40 {

std::size_t ImageSize(int modelCode) {
    const RadioModel* model = FindModel(modelCode);
    return model ? model->imageSize : 0;
}

std::size_t DataBase(int modelCode) {
    return ModelOrDefault(modelCode).dataBase;
}

bool IsImageSize(std::size_t size) {
    for (const RadioModel& model : RadioModels())
        if (model.imageSize == size) return true;
    return false;
}

std::size_t SlotIndex(int channel) {
    if (channel == 100) return 0x00;
    return static_cast<std::size_t>((channel / 10) * 16 + channel % 10);
}

std::size_t ReceiveSlotAddress(int channel, int modelCode) {
    return DataBase(modelCode) + kSlotSize * SlotIndex(channel);
}

std::size_t TransmitSlotAddress(int channel, int modelCode) {
    return ReceiveSlotAddress(channel, modelCode) + kTransmitTableOffset;
}

std::size_t ScanEntryAddress(int modelCode, std::size_t k) {
    const RadioModel& model = ModelOrDefault(modelCode);
    return model.scanList == ScanListStyle::Consecutive ? model.scanListAddress + k
                                                        : model.dataBase + kSlotSize * k;
}

std::optional<int> RecogniseModel(const std::vector<std::uint8_t>& image) {
    for (const RadioModel& model : RadioModels()) {
        if (image.size() != model.imageSize) continue;
        if (!model.marker) return model.code;
        const auto [address, value] = *model.marker;
        if (address < image.size() && image[address] == value) return model.code;
    }
    return std::nullopt;
}

} // namespace kl40
