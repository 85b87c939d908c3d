#include "cli/session.h"
#include "cli/verbs.h"

#include <iostream>

namespace kl40::cli {

// Decodes an image file into `session`; returns 0 or the exit status of a refusal.
int LoadImageFile(Session& session, const std::string& imagePath) {
    auto image = ReadImage(imagePath);
    if (!image) {
        std::cerr << "kl40-cli: " << imagePath << ": Unable to open data file\n";
        return 1;
    }
    if (!session.Load(std::move(*image))) {
        std::cerr << "kl40-cli: " << imagePath << ": "
                  << (session.platform.messages.empty() ? "Error in decoding channel"
                                                        : session.platform.messages.front())
                  << '\n';
        return 1;
    }
    return 0;
}

int RunDecode(const std::string& imagePath, std::ostream& out) {
    Session session;
    if (int status = LoadImageFile(session, imagePath)) return status;
    out << WriteRadioJson(session.Describe());
    return 0;
}

} // namespace kl40::cli
