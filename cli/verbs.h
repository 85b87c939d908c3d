#pragma once
// The verbs of kl40-cli. Each returns the process exit status: 0 success,
// 1 refused input (the reason has been written to stderr).

#include "core/radio_model.h"
#include "formats/file_formats.h"

#include <ostream>
#include <string>
#include <vector>

namespace kl40::cli {

// How `build` builds, beyond the radio files.
struct BuildSettings {
    // An image whose program code the build takes (it must hold some and be
    // of the radio's model); "" for none.
    std::string firmwarePath;
    // The image format written; nothing: the one the output's extension names
    // (a raw image for any other name).
    const FileFormat* format = nullptr;
    // What a channel list (.csv) radio file cannot hold; no model given: the
    // default model, with a note that says so.
    std::string model;
    std::string timeout{kTimeoutTexts[kDefaultTimeoutIndex]};
    std::vector<std::string> options;
};

// Builds a radio file: RADIO JSON, or a channel list CSV whose import report
// goes to stderr.
int RunBuild(const std::string& radioPath, const std::string& outputPath,
             const BuildSettings& settings = {});
// Builds each radio file a.json into outputFolder/a.bin (or the extension of
// the chosen format; the folder is made when missing). Every file and image
// name is checked first: when any is refused, each refusal is reported, no
// image is written and 1 is returned.
int RunBuildBatch(const std::vector<std::string>& radioPaths, const std::string& outputFolder,
                  const BuildSettings& settings = {});
// Writes the channel list of an image or a radio file as CSV to `out`, or to
// `outputPath` when it is not "".
int RunExportCsv(const std::string& input, const std::string& outputPath, std::ostream& out);
int RunDecode(const std::string& imagePath, std::ostream& out);
int RunList(const std::string& imagePath, std::ostream& out);
// Prints on `out` what the radios of `a` and `b` differ in, one line each
// (cli/radio_diff.h). Each is a radio file (.json) or an image; the program
// code is compared when both are images. Like diff(1): 0 when they are the
// same, 1 when they differ, 2 when either cannot be read (the reason is on
// stderr).
int RunDiff(const std::string& a, const std::string& b, std::ostream& out);

// How the eprom verbs run the operator's programmer, beyond the settings
// file (programmer/programmer_settings.h).
struct EpromSettings {
    std::string programmer; // a programmer row's name; "": the settings file's
    std::string device;     // the chip's device name; "": the settings file's
    bool allowNoProgramCode = false;
    BuildSettings build; // for a radio file or channel list given as the image
};

// Reads the EPROM of a `model` radio into `outputPath` (bin, hex or s19 by
// its extension), atomically. 0 read, 1 failed.
int RunEpromRead(const std::string& outputPath, const std::string& model,
                 const EpromSettings& settings);
// Writes an image, a radio file or a channel list to the EPROM and reads it
// back. 0 written (or already there), 1 refused or failed.
int RunEpromWrite(const std::string& source, const EpromSettings& settings);
// Compares the EPROM with an image, a radio file or a channel list. 0 the
// same, 1 different, 2 the chip or the source could not be read.
int RunEpromVerify(const std::string& source, const EpromSettings& settings);

// Installed firmware, in DefaultFirmwareFolder().
int RunFirmwareInstall(const std::string& imagePath, std::ostream& out);
int RunFirmwareList(std::ostream& out);
int RunFirmwareRemove(const std::string& model, std::ostream& out);

} // namespace kl40::cli
