#include "cli/cli_app.h"
#include "image/temporary_files.h"

#include <exception>
#include <iostream>

int main(int argc, char** argv) {
    kl40::InstallTemporaryFileCleanup();
    // Every refusal is reported by the verbs; this only keeps a failure that
    // none of them foresaw (such as running out of memory) from aborting.
    try {
        return kl40::cli::Run(argc, argv);
    } catch (const std::exception& e) {
        std::cerr << "kl40-cli: " << e.what() << '\n';
    } catch (...) {
        std::cerr << "kl40-cli: unexpected failure\n";
    }
    return 1;
}
