#include "cli/usage_messages.h"

#include "core/echo_text.h"

#include <iostream>
#include <string>

namespace kl40::cli {

int ReportMissingVerb(const CLI::App& app, int argc, char** argv) {
    std::string verbs;
    for (const CLI::App* verb : app.get_subcommands([](const CLI::App*) { return true; })) {
        if (!verbs.empty()) verbs += ", ";
        verbs += verb->get_name();
    }
    // The first word that is not an option is what was meant as the verb.
    std::string given;
    for (int i = 1; i < argc && given.empty(); ++i)
        if (argv[i][0] != '-') given = argv[i];
    std::cerr << "kl40-cli: "
              << (given.empty() ? std::string("no verb given") : "unknown verb " + EchoText(given))
              << "; the verbs are " << verbs << " (kl40-cli --help tells more)\n";
    return 2;
}

} // namespace kl40::cli
