#pragma once
// The EPROM address map shared by the build and the decoder. Each model's
// size, data base, marker byte and scan list place are in core/radio_model.h:
//
//   model 1 "KL40a-16": 2048 bytes, data area 0x0000-0x07FF (the whole image)
//   model 2 "KL40a-64": 8192 bytes, data area 0x1000-0x17FF, marker 0x72 at 0x13EB
//   model 3 "KL40c":    8192 bytes, data area 0x1000-0x17FF, marker 0x26 at 0x12FF
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

inline constexpr std::size_t kCountOffset = 0x3F0;
inline constexpr std::size_t kOptionOffset = 0x3F1;
inline constexpr std::size_t kOptionByteCount = 7;
inline constexpr std::size_t kTransmitTableOffset = 0x400;
inline constexpr std::size_t kSlotSize = 4;

// The model's image size (core/radio_model.h); 0 for a code that names no model.
std::size_t ImageSize(int modelCode);
// The model's data base; a code that names no model gets the default model's.
std::size_t DataBase(int modelCode);
// True when `size` is the image size of some model.
bool IsImageSize(std::size_t size);
// BCD slot index of channel 1-100 (channel 100 -> 0x00).
std::size_t SlotIndex(int channel);
std::size_t ReceiveSlotAddress(int channel, int modelCode);
std::size_t TransmitSlotAddress(int channel, int modelCode);
// The address of scan list entry k (from 0) of a model.
std::size_t ScanEntryAddress(int modelCode, std::size_t k);
// Model code of an image by its length and marker bytes (the first model in
// the table whose size and marker match); nothing when no model is recognised.
std::optional<int> RecogniseModel(const std::vector<std::uint8_t>& image);

} // namespace kl40
