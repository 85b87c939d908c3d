#pragma once
// The verbs of kl40-cli. Each returns the process exit status: 0 success,
// 1 refused input (the reason has been written to stderr).

#include <ostream>
#include <string>

namespace kl40::cli {

int RunBuild(const std::string& radioPath, const std::string& outputPath);
int RunDecode(const std::string& imagePath, std::ostream& out);
int RunList(const std::string& imagePath, std::ostream& out);

} // namespace kl40::cli
