#pragma once
// The verbs of kl40-cli. Each returns the process exit status: 0 success,
// 1 refused input (the reason has been written to stderr).

#include <ostream>
#include <string>
#include <vector>

namespace kl40::cli {

// A non-empty `firmwarePath` names an image whose program code the build
// takes (it must hold some and be of the radio's model).
int RunBuild(const std::string& radioPath, const std::string& outputPath,
             const std::string& firmwarePath = "");
// Builds each radio file a.json into outputFolder/a.bin (the folder is made
// when missing). A refused file is reported and the others are still built;
// returns 1 when any was refused.
int RunBuildBatch(const std::vector<std::string>& radioPaths, const std::string& outputFolder,
                  const std::string& firmwarePath = "");
int RunDecode(const std::string& imagePath, std::ostream& out);
int RunList(const std::string& imagePath, std::ostream& out);
// Prints on `out` what the radios of `a` and `b` differ in, one line each
// (cli/radio_diff.h). Each is a radio file (.json) or an image; the program
// code is compared when both are images. Like diff(1): 0 when they are the
// same, 1 when they differ, 2 when either cannot be read (the reason is on
// stderr).
int RunDiff(const std::string& a, const std::string& b, std::ostream& out);

// Installed firmware, in DefaultFirmwareFolder().
int RunFirmwareInstall(const std::string& imagePath, std::ostream& out);
int RunFirmwareList(std::ostream& out);
int RunFirmwareRemove(const std::string& model, std::ostream& out);

} // namespace kl40::cli
