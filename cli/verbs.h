#pragma once
// The verbs of kl40-cli. Each returns the process exit status: 0 success,
// 1 refused input (the reason has been written to stderr).

#include <ostream>
#include <string>
#include <vector>

namespace kl40::cli {

int RunBuild(const std::string& radioPath, const std::string& outputPath);
// Builds each radio file a.json into outputFolder/a.bin (the folder is made
// when missing). A refused file is reported and the others are still built;
// returns 1 when any was refused.
int RunBuildBatch(const std::vector<std::string>& radioPaths, const std::string& outputFolder);
int RunDecode(const std::string& imagePath, std::ostream& out);
int RunList(const std::string& imagePath, std::ostream& out);

} // namespace kl40::cli
