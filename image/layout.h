#pragma once
// The EPROM address map shared by the build and the decoder.
//
//   model 1 "KL40a-16": 2048 bytes, data area 0x0000-0x07FF (the whole image)
//   model 2 "KL40a-64": 8192 bytes, data area 0x1000-0x17FF
//   model 3 "KL40c":    8192 bytes, data area 0x1000-0x17FF
//
// Data area, from its base:
//   +0x000 receive table, 256 slots of 4 bytes; slot index = channel number as
//          two BCD digits (channel 47 -> slot 0x47, channel 100 -> slot 0x00)
//   +0x3F0 channel count (BCD)
//   +0x3F1 .. +0x3F7 seven option bytes
//   +0x400 transmit table, same slots as the receive table
// Scan list: models 1 and 2 keep it in byte 0 of receive slots 0, 1, 2, ...;
// model 3 keeps it as consecutive BCD bytes from 0x1300, ended by 0xFF.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace kl40 {

inline constexpr std::size_t kModel1ImageSize = 0x800;
inline constexpr std::size_t kModel23ImageSize = 0x2000;
inline constexpr std::size_t kCountOffset = 0x3F0;
inline constexpr std::size_t kOptionOffset = 0x3F1;
inline constexpr std::size_t kOptionByteCount = 7;
inline constexpr std::size_t kTransmitTableOffset = 0x400;
inline constexpr std::size_t kSlotSize = 4;
inline constexpr std::size_t kModel3ScanListAddress = 0x1300;
inline constexpr std::size_t kMaxScanEntries = 32;
inline constexpr std::size_t kModel2MarkerAddress = 0x13EB;
inline constexpr std::uint8_t kModel2Marker = 0x72;
inline constexpr std::size_t kModel3MarkerAddress = 0x12FF;
inline constexpr std::uint8_t kModel3Marker = 0x26;

// 2048 for model 1, 8192 for models 2 and 3, 0 for any other code.
std::size_t ImageSize(int modelCode);
// 0x0000 for model 1, 0x1000 for any other model.
std::size_t DataBase(int modelCode);
// BCD slot index of channel 1-100 (channel 100 -> 0x00).
std::size_t SlotIndex(int channel);
std::size_t ReceiveSlotAddress(int channel, int modelCode);
std::size_t TransmitSlotAddress(int channel, int modelCode);
// Model code of an image by its length and marker bytes; nothing when no model
// is recognised.
std::optional<int> RecogniseModel(const std::vector<std::uint8_t>& image);

} // namespace kl40
