#include "cli/same_file.h"
#include "cli/session.h"
#include "cli/verbs.h"
#include "core/echo_text.h"
#include "formats/radio_json.h"
#include "image/channel_transfer.h"
#include "image/image_file.h"
#include "image/radio_file.h"

#include <iostream>

namespace kl40::cli {

namespace {

int refuse(const std::string& file, const std::string& reason) {
    std::cerr << "kl40-cli: " << EchoText(file) << ": " << reason << '\n';
    return 1;
}

// Loads the radio of an image or a radio file into `session`; the reason when
// it cannot.
std::optional<std::string> load(Session& session, const std::string& input) {
    if (FormatOfPath(input, FormatContent::Radio)) {
        auto loaded = LoadRadioFile(input);
        if (auto* reason = std::get_if<std::string>(&loaded)) return std::move(*reason);
        return session.Apply(std::get<RadioFileContent>(loaded).radio);
    }
    if (auto refusal = LoadImage(session, input)) return refusal->text();
    return std::nullopt;
}

} // namespace

int RunExportCsv(const std::string& input, const std::string& outputPath, std::ostream& out) {
    if (!outputPath.empty() && InputSameAs(outputPath, {input}))
        return refuse(outputPath, "is the input file itself; it is not replaced");
    Session session;
    if (auto refused = load(session, input)) return refuse(input, *refused);
    const ChannelExport exported = ExportChannels(session.radio);
    for (const std::string& line : exported.leftOut)
        std::cerr << "kl40-cli: " << EchoText(input) << ": " << line << '\n';
    if (outputPath.empty()) {
        out << exported.csv;
        return 0;
    }
    const std::vector<std::uint8_t> bytes(exported.csv.begin(), exported.csv.end());
    if (auto failure = WriteFileAtomically(outputPath, bytes)) return refuse(outputPath, *failure);
    return 0;
}

} // namespace kl40::cli
