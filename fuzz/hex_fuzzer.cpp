// Any text of up to 4096 bytes read as Intel HEX and as S-record. Nothing may
// crash; a refusal names a line of the text (or 0 for the file as a whole)
// and says why; an accepted image holds 1 to 8192 bytes and reads back the
// same after being written in either format.

#include "check.h"

#include "formats/intel_hex.h"
#include "formats/s_record.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <variant>
#include <vector>

namespace {

using Bytes = std::vector<std::uint8_t>;

void CheckRead(const kl40::ImageOrError& read, std::string_view text) {
    using kl40::fuzz::Check;
    if (const auto* error = std::get_if<kl40::FormatError>(&read)) {
        const auto lines = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n'));
        Check(error->line <= lines + 1, "a refusal names a line of the text");
        Check(!error->message.empty(), "a refusal says why");
        return;
    }
    const Bytes& image = std::get<Bytes>(read);
    Check(!image.empty() && image.size() <= kl40::kMaxRecordImageBytes,
          "an accepted image holds 1 to 8192 bytes");
    const auto again = [&](const kl40::ImageOrError& back) {
        return std::holds_alternative<Bytes>(back) && std::get<Bytes>(back) == image;
    };
    Check(again(kl40::ReadIntelHex(kl40::WriteIntelHex(image))),
          "an accepted image reads back from Intel HEX");
    Check(again(kl40::ReadSRecord(kl40::WriteSRecord(image))),
          "an accepted image reads back from S-record");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    CheckRead(kl40::ReadIntelHex(text), text);
    CheckRead(kl40::ReadSRecord(text), text);
    return 0;
}
