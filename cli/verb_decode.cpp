#include "cli/echo_text.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "core/option_rules.h"

#include <iostream>

namespace kl40::cli {

// Decodes an image file into `session`; returns 0 or the exit status of a refusal.
int LoadImageFile(Session& session, const std::string& imagePath) {
    auto image = ReadImage(imagePath);
    const std::string name = EchoText(imagePath);
    if (const auto* reason = std::get_if<std::string>(&image)) {
        std::cerr << "kl40-cli: " << name << ": Unable to open data file\n"
                  << "kl40-cli: " << name << ": " << *reason << '\n';
        return 1;
    }
    if (!session.Load(std::move(std::get<std::vector<std::uint8_t>>(image)))) {
        std::cerr << "kl40-cli: " << name << ": "
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
    const Radio radio = session.Describe();
    // Kept as the image holds them, but a build of the radio file refuses them.
    if (const auto conflict = OptionConflict(radio.options, radio.model))
        std::cerr << "kl40-cli: " << EchoText(imagePath) << ": warning: " << *conflict
                  << " (kept as the image holds them; build refuses them)\n";
    out << WriteRadioJson(radio);
    return 0;
}

} // namespace kl40::cli
