#include "cli/cli_app.h"

int main(int argc, char** argv) {
    return kl40::cli::Run(argc, argv);
}
