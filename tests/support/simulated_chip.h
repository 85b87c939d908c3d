#pragma once
// The chip of the simulated programmer (support/simulated_programmer.cpp) in
// a test's own folder: sets the variables the simulator reads, and TMPDIR to
// a folder of its own so a test can see that nothing was left there. The
// variables are put back when the test ends.

#include "support/temp_folder.h"

#include <cstdlib>
#include <filesystem>
#include <map>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace kl40::test {

class SimulatedChip {
public:
    SimulatedChip() {
        std::filesystem::create_directories(folder.dir() / "tmp");
        set("KL40_SIM_CHIP", folder.file("chip"));
        set("KL40_SIM_LOG", folder.file("log"));
        set("KL40_SIM_FAULT", "");
        set("TMPDIR", folder.file("tmp"));
    }
    ~SimulatedChip() {
        for (const auto& [name, value] : saved_)
            if (value)
                setenv(name.c_str(), value->c_str(), 1);
            else
                unsetenv(name.c_str());
    }
    SimulatedChip(const SimulatedChip&) = delete;
    SimulatedChip& operator=(const SimulatedChip&) = delete;

    static std::string tool() { return KL40_SIMULATED_PROGRAMMER; }

    void insert(const std::vector<std::uint8_t>& bytes) const { folder.writeBytes("chip", bytes); }
    std::vector<std::uint8_t> contents() const { return folder.readBytes("chip"); }
    void fault(const std::string& fault) { set("KL40_SIM_FAULT", fault); }
    // The arguments of each run of the tool, one line per run.
    std::vector<std::string> runs() const {
        std::istringstream in(folder.readText("log"));
        std::vector<std::string> lines;
        for (std::string line; std::getline(in, line);)
            lines.push_back(line);
        return lines;
    }
    // True when the temporary folder holds nothing.
    bool temporaryFolderEmpty() const { return std::filesystem::is_empty(folder.dir() / "tmp"); }

    // Sets an environment variable until the test ends.
    void set(const std::string& name, const std::string& value) {
        if (!saved_.count(name)) {
            const char* old = std::getenv(name.c_str());
            saved_[name] = old ? std::optional<std::string>(old) : std::nullopt;
        }
        setenv(name.c_str(), value.c_str(), 1);
    }

    TempFolder folder{"kl40-sim"};

private:
    std::map<std::string, std::optional<std::string>> saved_;
};

} // namespace kl40::test
