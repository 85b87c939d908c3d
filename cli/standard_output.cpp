#include "cli/standard_output.h"

#include <cerrno>
#include <iostream>
#include <system_error>

namespace kl40::cli {

int DeliverOutput(const std::string& text, int status, std::ostream& out, int failed) {
    // errno is read right after the write or flush that failed, before
    // anything else can change it.
    errno = 0;
    out.write(text.data(), static_cast<std::streamsize>(text.size()));
    if (out) out.flush();
    if (out) return status;
    const int error = errno != 0 ? errno : EIO;
    std::cerr << "kl40-cli: standard output: "
              << std::error_code(error, std::generic_category()).message() << '\n';
    return failed;
}

} // namespace kl40::cli
