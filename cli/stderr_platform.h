#pragma once
// The command-line tool's platform: messages go to stderr, questions are
// answered No and dialogs are cancelled (the tool never asks).

#include "core/platform.h"

#include <iostream>
#include <string>
#include <vector>

namespace kl40::cli {

class StderrPlatform : public Platform {
public:
    Answer message(const std::string& text, const std::string&, Icon, Buttons buttons) override {
        messages.push_back(text);
        if (!quiet) std::cerr << prefix << text << '\n';
        return buttons == Buttons::Ok ? Answer::Ok : Answer::No;
    }
    std::optional<std::string> openFileDialog(const FileDialogRequest&) override { return {}; }
    std::optional<std::string> saveFileDialog(const FileDialogRequest&) override { return {}; }
    void setBusy(bool) override {}

    std::vector<std::string> messages;
    std::string prefix; // put before each message, e.g. "radio.json: channel 5: "
    bool quiet = false;
};

} // namespace kl40::cli
