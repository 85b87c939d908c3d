#include "formats/image_assembly.h"

#include "formats/record_text.h"

#include <algorithm>

namespace kl40 {

ImageAssembly::ImageAssembly() : bytes_(kMaxRecordImageBytes), lineOf_(kMaxRecordImageBytes, 0) {}

std::optional<FormatError> ImageAssembly::Add(std::size_t line, std::uint64_t address,
                                              std::span<const std::uint8_t> data) {
    if (data.empty()) return std::nullopt;
    const std::uint64_t last = address + data.size() - 1;
    if (last >= kMaxRecordImageBytes)
        return FormatError{line, "data for " + HexAddress(address) + "-" + HexAddress(last) +
                                     " lies beyond " + std::to_string(kMaxRecordImageBytes) +
                                     " bytes, the largest EPROM image"};
    for (std::size_t i = 0; i < data.size(); ++i) {
        const std::size_t at = static_cast<std::size_t>(address) + i;
        if (lineOf_[at] != 0)
            return FormatError{line, "address " + HexAddress(at) + " is given again (line " +
                                         std::to_string(lineOf_[at]) + " gave it first)"};
        lineOf_[at] = line;
        bytes_[at] = data[i];
    }
    end_ = std::max(end_, static_cast<std::size_t>(last) + 1);
    return std::nullopt;
}

ImageOrError ImageAssembly::Finish(std::size_t endLine) && {
    if (end_ == 0) return FormatError{endLine, "the file holds no data"};
    const auto covered = lineOf_.begin() + static_cast<std::ptrdiff_t>(end_);
    const auto gap = std::find(lineOf_.begin(), covered, std::size_t{0});
    if (gap != covered) {
        const auto after = std::find_if(gap, covered, [](std::size_t line) { return line != 0; });
        const auto first = static_cast<std::uint64_t>(gap - lineOf_.begin());
        const auto last = static_cast<std::uint64_t>(after - lineOf_.begin()) - 1;
        return FormatError{*after, "no data for " + HexAddress(first) + "-" + HexAddress(last) +
                                       ", below this record's data: the image has a gap"};
    }
    bytes_.resize(end_);
    return std::move(bytes_);
}

} // namespace kl40
