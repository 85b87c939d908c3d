#include "image/firmware_store.h"

#include "core/hex_text.h"
#include "core/radio_model.h"
#include "image/atomic_write.h"
#include "image/layout.h"
#include "image/program_code.h"
#include "image/whole_file.h"

#include <nlohmann/json.hpp>

#include <array>
#include <cerrno>
#include <cstddef>
#include <cstdlib>
#include <ctime>
#include <system_error>
#include <variant>

namespace kl40 {

namespace {

namespace fs = std::filesystem;

constexpr const char* kFormat = "kl40-firmware";
constexpr int kFormatVersion = 1;
// An installed file holds 16 KiB of hex digits and a few names; anything much
// larger is not one of ours and is not read.
constexpr std::size_t kMaxFirmwareFileSize = 256 * 1024;

std::uint32_t Crc32(const std::vector<std::uint8_t>& bytes) {
    static const std::array<std::uint32_t, 256> table = [] {
        std::array<std::uint32_t, 256> t{};
        for (std::uint32_t n = 0; n < 256; ++n) {
            std::uint32_t c = n;
            for (int k = 0; k < 8; ++k)
                c = (c & 1) ? 0xEDB88320u ^ (c >> 1) : c >> 1;
            t[n] = c;
        }
        return t;
    }();
    std::uint32_t crc = 0xFFFFFFFFu;
    for (std::uint8_t b : bytes)
        crc = table[(crc ^ b) & 0xFF] ^ (crc >> 8);
    return crc ^ 0xFFFFFFFFu;
}

std::string HexOf(const std::vector<std::uint8_t>& bytes) {
    static constexpr char kDigits[] = "0123456789ABCDEF";
    std::string hex;
    hex.reserve(2 * bytes.size());
    for (std::uint8_t b : bytes) {
        hex += kDigits[b >> 4];
        hex += kDigits[b & 15];
    }
    return hex;
}

std::optional<std::vector<std::uint8_t>> BytesOf(const std::string& hex) {
    if (hex.size() % 2 != 0) return std::nullopt;
    const auto digit = HexDigitValue;
    std::vector<std::uint8_t> bytes(hex.size() / 2);
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const int high = digit(hex[2 * i]);
        const int low = digit(hex[2 * i + 1]);
        if (high < 0 || low < 0) return std::nullopt;
        bytes[i] = static_cast<std::uint8_t>(high * 16 + low);
    }
    return bytes;
}

std::string Crc32Text(const std::vector<std::uint8_t>& bytes) {
    const std::uint32_t crc = Crc32(bytes);
    std::vector<std::uint8_t> be{
        static_cast<std::uint8_t>(crc >> 24), static_cast<std::uint8_t>(crc >> 16),
        static_cast<std::uint8_t>(crc >> 8), static_cast<std::uint8_t>(crc)};
    return HexOf(be);
}

std::string NowUtc() {
    const std::time_t now = std::time(nullptr);
    std::tm utc{};
    gmtime_r(&now, &utc);
    char text[32];
    std::strftime(text, sizeof text, "%Y-%m-%d %H:%M UTC", &utc);
    return text;
}

FirmwareLookup Damaged(FirmwareLookup lookup, std::string problem) {
    lookup.state = FirmwareLookup::State::Damaged;
    lookup.problem = std::move(problem);
    return lookup;
}

} // namespace

fs::path DefaultFirmwareFolder() {
    const char* data = std::getenv("XDG_DATA_HOME");
    if (data && fs::path(data).is_absolute()) return fs::path(data) / "kl40" / "firmware";
    const char* home = std::getenv("HOME");
    if (home && *home) return fs::path(home) / ".local" / "share" / "kl40" / "firmware";
    return {};
}

fs::path FirmwareFile(const fs::path& folder, int modelCode) {
    return folder / (ModelName(modelCode) + ".firmware");
}

FirmwareLookup LookUpFirmware(const fs::path& folder, int modelCode) {
    FirmwareLookup lookup;
    if (folder.empty() || ImageSize(modelCode) == 0) return lookup;
    lookup.file = FirmwareFile(folder, modelCode);

    auto read = ReadWholeFile(lookup.file.string(), kMaxFirmwareFileSize, Pipes::Refuse);
    if (const auto* error = std::get_if<FileReadError>(&read)) {
        using Kind = FileReadError::Kind;
        const bool missing =
            error->kind == Kind::Open && (error->error == ENOENT || error->error == ENOTDIR);
        if (missing) return lookup;
        if (error->kind == Kind::Folder || error->kind == Kind::NotRegular)
            return Damaged(lookup, "it is not a regular file");
        if (error->tooLarge()) return Damaged(lookup, "it is far too large");
        return Damaged(lookup, "it cannot be read");
    }
    const nlohmann::json json = nlohmann::json::parse(std::get<std::string>(read), nullptr, false);
    if (json.is_discarded() || !json.is_object()) return Damaged(lookup, "it is damaged");

    const auto field = [&json](const char* key) -> std::optional<std::string> {
        const auto it = json.find(key);
        if (it == json.end() || !it->is_string()) return std::nullopt;
        return it->get<std::string>();
    };
    const auto version = json.find("version");
    if (field("format") != kFormat || version == json.end() || *version != kFormatVersion)
        return Damaged(lookup, "it is not a firmware file of this program");
    if (field("model") != ModelName(modelCode))
        return Damaged(lookup, "it holds firmware of another model");
    const auto hex = field("image");
    const auto crc = field("crc32");
    if (!hex || !crc) return Damaged(lookup, "it is damaged");
    auto image = BytesOf(*hex);
    if (!image) return Damaged(lookup, "it is damaged");
    if (image->size() != ImageSize(modelCode))
        return Damaged(lookup, "its image has " + std::to_string(image->size()) +
                                   " bytes instead of " + std::to_string(ImageSize(modelCode)));
    if (Crc32Text(*image) != *crc) return Damaged(lookup, "its checksum does not match");
    if (!HasProgramCode(*image, modelCode)) return Damaged(lookup, "it holds no program code");

    lookup.state = FirmwareLookup::State::Installed;
    lookup.firmware.image = std::move(*image);
    lookup.firmware.source = field("source").value_or("");
    lookup.firmware.installed = field("installed").value_or("");
    return lookup;
}

// "KL40a-64 or KL40c": the models whose images hold program code.
std::string ModelsWithProgramCode() {
    std::vector<std::string> names;
    for (const RadioModel& model : RadioModels())
        if (model.hasProgramArea()) names.emplace_back(model.name);
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "" : i + 1 == names.size() ? " or " : ", ") + names[i];
    return text;
}

FirmwareCheck CheckFirmwareImage(const std::vector<std::uint8_t>& image, const std::string& name) {
    const std::optional<int> model = RecogniseModel(image);
    if (!model)
        return {std::nullopt, name + " is not an image of a known model (a " +
                                  ModelsWithProgramCode() +
                                  " image has its model's size and marker byte)."};
    if (!ModelOrDefault(*model).hasProgramArea()) {
        const std::string modelName = ModelName(*model);
        return {std::nullopt, name + " is a " + modelName + " image. A " + modelName +
                                  " image is all channel data and holds no program code: there "
                                  "is no firmware to install."};
    }
    if (IsErasedProgramArea(image, *model))
        return {std::nullopt, name + " holds no program code: every byte outside the data area is "
                                     "0xFF (an erased EPROM). Read your radio's EPROM into a file "
                                     "and use that."};
    if (!HasProgramCode(image, *model))
        return {std::nullopt, name +
                                  " holds no program code: every byte outside the data "
                                  "area is the shipped " +
                                  ModelName(*model) +
                                  " template's. Read your radio's EPROM into a file and use "
                                  "that."};
    return {model, ""};
}

FirmwareCheck InstallFirmware(const fs::path& folder, const std::vector<std::uint8_t>& image,
                              const std::string& source, const std::string& name) {
    FirmwareCheck check = CheckFirmwareImage(image, name);
    if (!check.modelCode) return check;
    if (folder.empty())
        return {std::nullopt, "There is no folder for installed firmware (HOME is not set)."};

    std::error_code ec;
    fs::create_directories(folder, ec);
    if (!fs::is_directory(folder, ec))
        return {std::nullopt, "Cannot make the firmware folder " + folder.string() + "."};

    std::error_code absoluteError;
    const fs::path absoluteSource = fs::absolute(source, absoluteError);
    const nlohmann::json json{{"format", kFormat},
                              {"version", kFormatVersion},
                              {"model", ModelName(*check.modelCode)},
                              {"source", absoluteError ? source : absoluteSource.string()},
                              {"installed", NowUtc()},
                              {"crc32", Crc32Text(image)},
                              {"image", HexOf(image)}};
    // The source name may hold any bytes; they are kept rather than refused.
    const std::string text =
        json.dump(1, ' ', false, nlohmann::json::error_handler_t::replace) + "\n";
    const std::vector<std::uint8_t> bytes(text.begin(), text.end());
    if (auto failure = WriteFileAtomically(FirmwareFile(folder, *check.modelCode).string(), bytes))
        return {std::nullopt, "Cannot install the firmware: " + *failure};
    return check;
}

std::optional<std::string> RemoveFirmware(const fs::path& folder, int modelCode) {
    const RadioModel* model = FindModel(modelCode);
    if (!model) return "There is no such model.";
    if (!model->hasProgramArea())
        return "A " + std::string(model->name) + " has no firmware to remove.";
    const fs::path file = FirmwareFile(folder, modelCode);
    std::error_code ec;
    if (folder.empty() || !fs::exists(fs::symlink_status(file, ec)))
        return "No firmware is installed for " + ModelName(modelCode) + ".";
    if (!fs::remove(file, ec) || ec) return "Cannot remove " + file.string() + ": " + ec.message();
    return std::nullopt;
}

std::vector<std::string> DescribeFirmware(const fs::path& folder) {
    std::vector<std::string> lines;
    for (const RadioModel& facts : RadioModels()) {
        const int model = facts.code;
        if (!facts.hasProgramArea()) {
            lines.push_back(std::string(facts.name) + ": all data area, no program code needed");
            continue;
        }
        const FirmwareLookup lookup = LookUpFirmware(folder, model);
        const std::string name = ModelName(model) + ": ";
        switch (lookup.state) {
        case FirmwareLookup::State::Installed:
            lines.push_back(name + "installed firmware from " + lookup.firmware.source + " (" +
                            lookup.firmware.installed + ")");
            break;
        case FirmwareLookup::State::Damaged:
            lines.push_back(name + "the installed file " + lookup.file.string() +
                            " cannot be used (" + lookup.problem +
                            "); install the firmware again or remove it");
            break;
        case FirmwareLookup::State::Absent:
            lines.push_back(name + "shipped template, no program code");
            break;
        }
    }
    return lines;
}

} // namespace kl40
