#include "cli/session.h"
#include "cli/verbs.h"
#include "core/echo_text.h"
#include "core/option_rules.h"
#include "formats/radio_json.h"

#include <iostream>

namespace kl40::cli {

// Decodes an image file into `session`; returns 0 or the exit status of a refusal.
int LoadImageFile(Session& session, const std::string& imagePath) {
    const auto refusal = LoadImage(session, imagePath);
    if (!refusal) return 0;
    const std::string name = EchoText(imagePath);
    if (refusal->unreadable) std::cerr << "kl40-cli: " << name << ": Unable to open data file\n";
    std::cerr << "kl40-cli: " << name << ": " << refusal->reason << '\n';
    return 1;
}

int RunDecode(const std::string& imagePath, std::ostream& out) {
    Session session;
    if (int status = LoadImageFile(session, imagePath)) return status;
    const RadioRecord radio = session.Describe();
    // Kept as the image holds them, but a build of the radio file refuses them.
    if (const auto conflict = OptionConflict(radio.options, radio.model))
        std::cerr << "kl40-cli: " << EchoText(imagePath) << ": warning: " << *conflict
                  << " (kept as the image holds them; build refuses them)\n";
    out << WriteRadioJson(radio);
    return 0;
}

} // namespace kl40::cli
