#pragma once
// A private temporary folder (mode 0700, under the system's temporary folder)
// for the image file a programmer's tool reads or writes. The folder and the
// file are removed when the object goes, and by the signal handler of
// image/temporary_files.h on SIGINT, SIGTERM or SIGHUP.

#include "image/temporary_files.h"

#include <memory>
#include <optional>
#include <string>
#include <variant>

namespace kl40 {

class ScratchFolder {
public:
    // A new folder, or the system's reason it could not be made.
    static std::variant<ScratchFolder, std::string> Make();

    ScratchFolder(ScratchFolder&&) = default;
    ScratchFolder& operator=(ScratchFolder&&) = default;
    ~ScratchFolder();

    const std::string& folder() const { return state_->folder; }
    // The image file's path in it: "chip.bin".
    const std::string& file() const { return state_->file; }

private:
    struct State {
        std::string folder;
        std::string file;
        std::optional<TemporaryFileRegistration> folderRegistration;
        std::optional<TemporaryFileRegistration> fileRegistration;
    };
    explicit ScratchFolder(std::unique_ptr<State> state) : state_(std::move(state)) {}
    std::unique_ptr<State> state_;
};

} // namespace kl40
