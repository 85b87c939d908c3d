#pragma once
// The RADIO JSON file of the command-line tool:
//   { "model": "KL40c", "timeout": "2.00", "options": ["Enable Scan"],
//     "channels": [ {"channel": 5, "rx": "435.1250", "tx": "430.1250",
//                    "ctcss": "88.5", "scan": true} ] }

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kl40::cli {

struct ChannelInput {
    int channel = 0;
    std::string rx;
    std::optional<std::string> tx; // nothing: the receive frequency
    std::string ctcss = "none";    // tone text without trailing blank, or "none"
    bool scan = false;
};

struct RadioInput {
    std::string model = "KL40c";
    std::string timeout = "2.00";
    std::vector<std::string> options;
    std::vector<ChannelInput> channels;
};

struct JsonError {
    std::string message;
};

// The option names, in the order decode writes them.
const std::vector<std::string>& OptionNames();

std::variant<RadioInput, JsonError> ParseRadioJson(std::string_view text);

// Decoded channel: a frequency that the image does not hold is nothing.
struct DecodedChannel {
    int channel = 0;
    std::optional<std::string> rx;
    std::optional<std::string> tx;
    std::string ctcss = "none";
    bool scan = false;
};

struct DecodedRadio {
    std::string model;
    std::string timeout;
    std::vector<std::string> options;
    std::vector<DecodedChannel> channels;
};

// Pretty-printed JSON with exactly the keys of the schema.
std::string WriteRadioJson(const DecodedRadio& radio);

} // namespace kl40::cli
