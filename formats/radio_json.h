#pragma once
// The RADIO JSON file of the command-line tool:
//   { "model": "KL40c", "timeout": "2.00", "options": ["Enable Scan"],
//     "channels": [ {"channel": 5, "rx": "435.1250", "tx": "430.1250",
//                    "ctcss": "88.5", "scan": true, "name": "Home",
//                    "comment": "the club's repeater"} ] }

#include "core/radio.h"

#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

namespace kl40 {

struct JsonError {
    std::string message;
};

// A radio file's radio. A channel without "tx" (or with null) has no transmit
// frequency: the channel entry then takes the receive one. With `defaulted`,
// the keys left out whose defaults the radio took ("model", "timeout") are
// added to it.
// A file as it is usually written is read fast (formats/radio_json_fast.h);
// any other text thoroughly.
std::variant<RadioRecord, JsonError> ParseRadioJson(std::string_view text,
                                                    std::vector<std::string>* defaulted = nullptr);

// The same through a JSON document alone: every text, with every refusal
// worded. The fast reading is held to give what this gives.
std::variant<RadioRecord, JsonError>
ParseRadioJsonThoroughly(std::string_view text, std::vector<std::string>* defaulted = nullptr);

// Pretty-printed JSON with exactly the keys of the schema; a channel's
// "name" and "comment" only when it has them. A frequency the radio does not
// hold is null.
std::string WriteRadioJson(const RadioRecord& radio);

} // namespace kl40
