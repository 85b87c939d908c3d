#pragma once
// A radio of kl40-cli: entered from a radio file through the channel entry
// rules, built into an image, or decoded from one.

#include "cli/stderr_platform.h"
#include "core/radio.h"
#include "core/radio_record.h"
#include "image/program_code.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kl40::cli {

class Session {
public:
    Session();

    // Enters the radio's model, time-out, channels and options. Returns the
    // reason the first refused item was refused, or nothing when all were taken.
    std::optional<std::string> Apply(const RadioRecord& record);

    // Builds the image into `image`, with program code as the desktop
    // application's build takes it. Returns false after a refusal, which
    // `refusal` holds.
    bool Build();

    // Decodes `image` as opening it does. Returns false when the image is of
    // no known model.
    bool Load(std::vector<std::uint8_t> image);

    // The radio as files write it.
    RadioRecord Describe() const;

    Radio radio;
    // What Apply has to tell about channels it stored, one line each
    // ("channel 5: 435.1234 MHz is not on the radio's 12.5 kHz raster: ..."),
    // or Load about damage in the image ("channel 4 has no transmit frequency").
    std::vector<std::string> notes;
    // The image built or loaded, and the image whose program code a build
    // takes while the model is still its own.
    std::vector<std::uint8_t> image;
    std::vector<std::uint8_t> openedImage;
    int openedModel = 0;
    std::string firmwareFolder;
    // After Build: where the program code came from and why installed
    // firmware was passed over ("" when nothing was wrong with it).
    ProgramSource programSource = ProgramSource::Template;
    std::string firmwareProblem;
    // Why Build refused.
    std::string refusal;
};

// Why an image file gave no radio.
struct ImageRefusal {
    std::string reason;
    bool unreadable = false; // the file could not be read at all
    // "Unable to open data file: <reason>" for an unreadable file, else the reason.
    std::string text() const;
};

// Reads the image at `path` and decodes it into `session`; the refusal when
// it cannot, saying what the file is when it is no image ("a channel list,
// not an image", "100 bytes: a KL40 image has 2048 or 8192 bytes"). The
// damage it finds in an image it decodes goes to standard error as warnings.
std::optional<ImageRefusal> LoadImage(Session& session, const std::string& path);

// Reads a whole image file of 1 to 65000 bytes, or gives the reason it cannot
// ("No such file or directory", "empty file", "is a folder", ...).
std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path);

} // namespace kl40::cli
