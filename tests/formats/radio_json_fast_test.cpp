// The fast reading of radio files is held to the thorough one (the JSON
// document): on radio files written in many ways, right and wrong, and on
// damaged copies of them, ParseRadioJson gives exactly what the thorough
// reading gives, radio or message, and the same defaulted keys.

#include "formats/radio_json.h"
#include "formats/radio_json_fast.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <random>
#include <string>
#include <vector>

namespace kl40 {
namespace {

class RadioText {
public:
    explicit RadioText(unsigned seed) : random_(seed) {}

    // A radio file: mostly as the schema says, with now and then a value of
    // another kind, a name the radio lacks, a key unknown or given twice, an
    // escape, or a channel number taken twice.
    std::string make() {
        std::vector<std::string> fields;
        if (chance(0.8))
            fields.push_back(member("model", pickString({"KL40a-16", "KL40a-64", "KL40c"})));
        if (chance(0.8)) fields.push_back(member("timeout", pickString({"1.00", "2.00", "3.00"})));
        if (chance(0.8)) fields.push_back(member("options", options()));
        if (chance(0.9)) fields.push_back(member("channels", channels()));
        if (chance(0.03)) fields.push_back(member("colour", "\"red\""));
        if (chance(0.03) && !fields.empty()) fields.push_back(fields[pick(fields.size())]);
        return object(fields);
    }

    // The text with one random fault: a character replaced or added, a span
    // dropped, or a span copied elsewhere.
    std::string damage(std::string text) {
        static const std::string alphabet = "{}[]\":,.-+eE0123456789 \t\nntfalsru\\x\x01\xC3\xA9";
        const std::size_t at = pick(text.size() + 1);
        const std::size_t length = 1 + pick(std::min<std::size_t>(40, text.size() - at + 1));
        switch (pick(4)) {
        case 0:
            if (at < text.size()) text[at] = alphabet[pick(alphabet.size())];
            break;
        case 1:
            text.insert(at, 1, alphabet[pick(alphabet.size())]);
            break;
        case 2:
            text.erase(at, length);
            break;
        default:
            text.insert(pick(text.size() + 1), text.substr(at, length));
        }
        return text;
    }

private:
    bool chance(double p) { return std::bernoulli_distribution(p)(random_); }
    std::size_t pick(std::size_t n) {
        return std::uniform_int_distribution<std::size_t>(0, n - 1)(random_);
    }
    // One of `texts` as a JSON string; now and then another value, a name
    // the radio lacks or an escape.
    std::string pickString(const std::vector<std::string>& texts) {
        if (chance(0.015)) return pickOther();
        std::string text = chance(0.01) ? "Bogus" : texts[pick(texts.size())];
        if (chance(0.02)) text.insert(1, "\\u0034");
        return '"' + text + '"';
    }
    std::string pickOther() {
        // Other kinds of value, numbers beyond every range, and a channel
        // number written as a float, minus zero and one too large.
        static const std::string values[] = {"99999999999999999999",
                                             "1e400",
                                             "4.35e2",
                                             "435.125",
                                             "5",
                                             "-0",
                                             "100",
                                             "null",
                                             "true",
                                             "[]",
                                             "{}"};
        return values[pick(std::size(values))];
    }
    std::string blank() {
        static const std::vector<std::string> blanks{"", " ", "\n  ", "\t", "\r\n"};
        return blanks[pick(blanks.size())];
    }
    std::string member(const std::string& key, const std::string& value) {
        return blank() + '"' + key + '"' + blank() + ':' + blank() + value;
    }
    std::string object(std::vector<std::string> fields) {
        std::shuffle(fields.begin(), fields.end(), random_);
        std::string text = "{";
        for (std::size_t i = 0; i < fields.size(); ++i)
            text += (i ? "," : "") + fields[i];
        return text + blank() + '}';
    }
    std::string options() {
        if (chance(0.03)) return pickOther();
        const std::vector<std::string> names{"Enable Scan", "Display Timer", "Busy Channel Lockout",
                                             "High/Low Power", "Down Delete"};
        std::string text = "[";
        for (std::size_t n = pick(4), i = 0; i < n; ++i)
            text += (i ? "," : "") + blank() + pickString(names);
        return text + "]";
    }
    std::string frequency() {
        if (chance(0.02)) return pickOther();
        char text[16];
        std::snprintf(text, sizeof text, "\"%.4f\"", 400 + static_cast<double>(pick(4000)) / 80);
        return text;
    }
    std::string channels() {
        if (chance(0.03)) return pickOther();
        std::vector<int> numbers(99);
        std::iota(numbers.begin(), numbers.end(), 1);
        std::shuffle(numbers.begin(), numbers.end(), random_);
        std::string text = "[";
        for (std::size_t n = pick(12), i = 0; i < n; ++i) {
            std::vector<std::string> fields;
            const int number = numbers[chance(0.03) ? 0 : i]; // now and then one taken before
            if (chance(0.98))
                fields.push_back(
                    member("channel", chance(0.02) ? pickOther() : std::to_string(number)));
            if (chance(0.98)) fields.push_back(member("rx", frequency()));
            if (chance(0.6)) fields.push_back(member("tx", chance(0.2) ? "null" : frequency()));
            if (chance(0.7))
                fields.push_back(member("ctcss", pickString({"none", "88.5", "1000"})));
            if (chance(0.5))
                fields.push_back(member("scan", chance(0.02)  ? pickOther()
                                                : chance(0.5) ? "true"
                                                              : "false"));
            for (const char* key : {"name", "comment"})
                if (chance(0.3))
                    fields.push_back(member(key, chance(0.05) ? pickOther()
                                                 : chance(0.95)
                                                     ? pickString({" ", "Home", "Caf\xC3\xA9"})
                                                     : "\"a\\\"b\\n\""));
            if (chance(0.02)) fields.push_back(member("power", "1"));
            if (chance(0.02) && !fields.empty()) fields.push_back(fields[pick(fields.size())]);
            text += (i ? "," : "") + blank() + object(fields);
        }
        return text + "]";
    }

    std::mt19937 random_;
};

std::string outcome(const std::variant<RadioRecord, JsonError>& read,
                    const std::vector<std::string>& defaulted) {
    if (const auto* error = std::get_if<JsonError>(&read)) return "refused: " + error->message;
    std::string text = WriteRadioJson(std::get<RadioRecord>(read)) + "defaulted:";
    for (const auto& key : defaulted)
        text += ' ' + key;
    return text;
}

TEST(RadioJsonFast, ReadsEveryTextAsTheJsonDocumentDoes) {
    RadioText texts(20240611);
    int fast = 0;
    for (int i = 0; i < 6000; ++i) {
        std::string text = texts.make();
        if (i % 2) text = texts.damage(text);
        std::vector<std::string> defaulted, defaultedThoroughly;
        const std::string read = outcome(ParseRadioJson(text, &defaulted), defaulted);
        ASSERT_EQ(read, outcome(ParseRadioJsonThoroughly(text, &defaultedThoroughly),
                                defaultedThoroughly))
            << text;
        fast += ReadRadioJsonFast(text, RadioRecord{}).has_value();
    }
    // The comparison means something only if the fast reading takes many of
    // the texts.
    EXPECT_GT(fast, 1000);
}

TEST(RadioJsonFast, TakesEveryFileTheToolWrites) {
    RadioRecord radio;
    radio.model = "KL40a-64";
    radio.options = {"Enable Scan", "High/Low Power"};
    radio.channels = {{1, "435.1250", std::nullopt, "88.5", true, "Home", "north hill"},
                      {99, "449.9875", "440.0000", "none", false}};
    const auto read = ReadRadioJsonFast(WriteRadioJson(radio), RadioRecord{});
    ASSERT_TRUE(read);
    EXPECT_EQ(read->radio, radio);
}

} // namespace
} // namespace kl40
