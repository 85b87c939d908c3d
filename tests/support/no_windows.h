#pragma once
// A window host for tests of the frame's logic that open no other window.

#include "ui/main_window.h"

namespace kl40::test {

class NoWindows : public WindowHost {
public:
    void ShowPrintDialog() override {}
    void ShowHelp() override {}
    void ShowAbout() override {}
    void EndProgram() override {}
};

} // namespace kl40::test
