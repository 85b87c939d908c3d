#pragma once
// Places the data records of a record file into one image from address 0.
// Programmer files may list records in any order, so the image is only judged
// complete once every record has been placed: each address from 0 to the
// highest one given must be given exactly once.

#include "formats/format_error.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace kl40 {

class ImageAssembly {
public:
    ImageAssembly();

    // Places the data of the record on `line`. Refuses data reaching beyond
    // kMaxRecordImageBytes and data for an address an earlier record gave.
    std::optional<FormatError> Add(std::size_t line, std::uint64_t address,
                                   std::span<const std::uint8_t> data);

    // The image, or a refusal when no data was given (named at `endLine`) or
    // when addresses below the highest one are missing (named at the record
    // placed just after the gap).
    ImageOrError Finish(std::size_t endLine) &&;

private:
    std::vector<std::uint8_t> bytes_;
    // The line that gave each address; 0 while none has.
    std::vector<std::size_t> lineOf_;
    std::size_t end_ = 0;
};

} // namespace kl40
