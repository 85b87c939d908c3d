#pragma once
// A fresh radio as the desktop application has it right after start-up: the
// data set, the entry form's fields and their handlers, with the form loaded.
// The command-line verbs work on it through the same operations as the GUI.

#include "cli/stderr_platform.h"
#include "core/radio_data.h"
#include "formats/radio_json.h"
#include "ui/entry_form.h"

#include <cstdint>
#include <optional>
#include <string>
#include <variant>
#include <vector>

namespace kl40::cli {

class Session {
public:
    Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    // Stores the radio's model, time-out, options and channels. Returns the
    // reason the first refused item was refused, or nothing when all were taken.
    std::optional<std::string> Apply(const RadioRecord& radio);

    // Builds the image into ImageText. Returns false after a refusal, which
    // `platform.messages` holds.
    bool Build();

    // Decodes `image` as the open flow does. Returns false when the image is
    // refused or cannot be decoded.
    bool Load(std::vector<std::uint8_t> image);

    // The radio now in the data set and form.
    RadioRecord Describe() const;

    StderrPlatform platform;
    Workspace ws{platform};
    // What Apply has to tell about channels it stored, one line each
    // ("channel 5: 435.1234 MHz is not on the radio's 12.5 kHz raster: ...").
    std::vector<std::string> notes;

private:
    class NoHost : public FormHost {
    public:
        SaveOutcome SaveRadioFile() override { return SaveOutcome::Cancelled; }
        void ShowPrintDialog() override {}
        void EndProgram() override {}
    };
    NoHost host_;
    EntryForm form_{ws, host_};
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
// not an image", "100 bytes: a KL40 image has 2048 or 8192 bytes").
std::optional<ImageRefusal> LoadImage(Session& session, const std::string& path);

// Reads a whole image file of 1 to 65000 bytes, or gives the reason it cannot
// ("No such file or directory", "empty file", "is a folder", ...).
std::variant<std::vector<std::uint8_t>, std::string> ReadImage(const std::string& path);

} // namespace kl40::cli
