#include "image/layout.h"

namespace kl40 {

std::size_t ImageSize(int modelCode) {
    switch (modelCode) {
    case 1:
        return kModel1ImageSize;
    case 2:
    case 3:
        return kModel23ImageSize;
    default:
        return 0;
    }
}

std::size_t DataBase(int modelCode) {
    return modelCode == 1 ? 0x0000 : 0x1000;
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

std::optional<int> RecogniseModel(const std::vector<std::uint8_t>& image) {
    if (image.size() == kModel1ImageSize) return 1;
    if (image.size() != kModel23ImageSize) return std::nullopt;
    if (image[kModel2MarkerAddress] == kModel2Marker) return 2;
    if (image[kModel3MarkerAddress] == kModel3Marker) return 3;
    return std::nullopt;
}

} // namespace kl40
