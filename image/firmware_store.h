#pragma once
// Firmware installed from the operator's own EPROM: the program code of an
// image read from their radio, kept as one file per model in a folder that the
// desktop application and kl40-cli share, so that builds for that model can
// run a radio.

#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

namespace kl40 {

// $XDG_DATA_HOME/kl40/firmware, or ~/.local/share/kl40/firmware when the
// variable is unset or not an absolute path; "" when neither can be found.
std::filesystem::path DefaultFirmwareFolder();

// The file that holds a model's installed firmware.
std::filesystem::path FirmwareFile(const std::filesystem::path& folder, int modelCode);

struct InstalledFirmware {
    std::vector<std::uint8_t> image; // the whole image it was installed from
    std::string source;              // that image's file
    std::string installed;           // when, "YYYY-MM-DD HH:MM UTC"
};

// What the folder holds for one model.
struct FirmwareLookup {
    enum class State { Absent, Installed, Damaged };
    State state = State::Absent;
    InstalledFirmware firmware; // when Installed
    std::string problem;        // when Damaged: why the file is not used
    std::filesystem::path file;
};

// Reads and checks a model's installed firmware. A file that cannot be read,
// is damaged, is of the wrong size or holds no program code is Damaged and
// must not be used.
FirmwareLookup LookUpFirmware(const std::filesystem::path& folder, int modelCode);

// The model an image could be installed as firmware for, or why it cannot.
struct FirmwareCheck {
    std::optional<int> modelCode;
    std::string refusal; // when there is no model code
};
// `name` is the image's file name as the operator knows it.
FirmwareCheck CheckFirmwareImage(const std::vector<std::uint8_t>& image, const std::string& name);

// The names of the models whose images hold program code ("KL40a-64 or KL40c").
std::string ModelsWithProgramCode();

// Checks the image and installs it for its model (atomically, replacing any
// earlier one), noting `source` as its origin. Returns the model code, or the
// reason nothing was installed, which calls the image `name`.
FirmwareCheck InstallFirmware(const std::filesystem::path& folder,
                              const std::vector<std::uint8_t>& image, const std::string& source,
                              const std::string& name);

// Removes a model's installed firmware; the reason when nothing was removed.
std::optional<std::string> RemoveFirmware(const std::filesystem::path& folder, int modelCode);

// One line per model: what builds of it take their program code from.
std::vector<std::string> DescribeFirmware(const std::filesystem::path& folder);

} // namespace kl40
