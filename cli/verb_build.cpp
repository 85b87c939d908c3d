#include "cli/session.h"
#include "cli/verbs.h"
#include "image/image_file.h"

#include <fstream>
#include <iostream>
#include <sstream>

namespace kl40::cli {

namespace {
int refuse(const std::string& file, const std::string& reason) {
    std::cerr << "kl40-cli: " << file << ": " << reason << '\n';
    return 1;
}
} // namespace

int RunBuild(const std::string& radioPath, const std::string& outputPath) {
    std::ifstream in(radioPath, std::ios::binary);
    if (!in) return refuse(radioPath, "cannot read the radio file");
    std::ostringstream text;
    text << in.rdbuf();

    auto parsed = ParseRadioJson(text.str());
    if (auto* error = std::get_if<JsonError>(&parsed)) return refuse(radioPath, error->message);

    Session session;
    if (auto refused = session.Apply(std::get<RadioSpec>(parsed)))
        return refuse(radioPath, *refused);
    if (!session.Build())
        return refuse(radioPath, session.platform.messages.empty()
                                     ? "the image cannot be built"
                                     : session.platform.messages.front());
    session.platform.messages.clear();
    if (!WriteImageFile(session.ws, outputPath))
        return refuse(outputPath, session.platform.messages.empty()
                                      ? "cannot write the image"
                                      : session.platform.messages.front());
    return 0;
}

} // namespace kl40::cli
