#pragma once
// How a window runs an EPROM flow: off its own thread, showing the steps and
// the programmer's output as they come, with a Cancel that stops the tool.
// The desktop runs it in a progress window; tests run it directly.

#include "programmer/eprom_flows.h"

#include <functional>

namespace kl40 {

enum class EpromJob { Read, Write, Verify };

// A flow to run, given the progress it reports to and the stop token it obeys.
using EpromFlow = std::function<EpromOutcome(const EpromProgress&)>;

class EpromRunner {
public:
    virtual ~EpromRunner() = default;
    // Runs `flow` to its end and returns its outcome.
    virtual EpromOutcome Run(EpromJob job, const EpromFlow& flow) = 0;
};

} // namespace kl40
