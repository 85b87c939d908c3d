#include "cli/same_file.h"

#include <sys/stat.h>

namespace kl40::cli {

const std::string* InputSameAs(const std::string& output, const std::vector<std::string>& inputs) {
    struct stat out {};
    if (::stat(output.c_str(), &out) != 0) return nullptr;
    for (const std::string& input : inputs) {
        struct stat in {};
        if (::stat(input.c_str(), &in) == 0 && in.st_dev == out.st_dev && in.st_ino == out.st_ino)
            return &input;
    }
    return nullptr;
}

} // namespace kl40::cli
