#include "bench/sample_radio.h"

#include "coding/tone_table.h"

#include <cstdio>

namespace kl40::bench {

namespace {

// Frequency in units of 0.0001 MHz as "435.1250".
std::string frequencyText(long tenthsOfKHz) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%ld.%04ld", tenthsOfKHz / 10000, tenthsOfKHz % 10000);
    return buffer;
}

} // namespace

std::string SampleRadioJson(int modelIndex, unsigned variant, bool named) {
    static const char* const timeouts[] = {"1.00", "2.00", "3.00"};
    std::string text = "{\"model\": \"";
    text += kModelNames[modelIndex];
    text += "\", \"timeout\": \"";
    text += timeouts[variant % 3];
    text += "\", \"options\": [\"Enable Scan\", \"Display Timer\", \"Receive CTCSS enable\", "
            "\"Busy Channel Lockout\"";
    if (modelIndex != 2) text += ", \"High/Low Power\"";
    text += "],\n \"channels\": [";
    for (int ch = 1; ch <= 99; ++ch) {
        // 12.5 kHz steps across 400.0000 to 449.9875 MHz.
        const long step =
            static_cast<long>((variant * 7919u + static_cast<unsigned>(ch) * 37u) % 4000u);
        const long rx = 4000000 + step * 125;
        const long tx = rx >= 4050000 ? rx - 50000 : rx + 50000;
        const int tone = static_cast<int>((variant + static_cast<unsigned>(ch)) % kToneCount);
        text += ch == 1 ? "\n  " : ",\n  ";
        text += "{\"channel\": " + std::to_string(ch) + ", \"rx\": \"" + frequencyText(rx) +
                "\", \"tx\": \"" + frequencyText(tx) + "\", \"ctcss\": \"" +
                ToneTable[static_cast<std::size_t>(tone)].toneText +
                "\", \"scan\": " + (ch % 4 == 1 ? "true" : "false");
        if (named)
            text += ", \"name\": \"Repeater " + std::to_string(ch) +
                    "\", \"comment\": \"club net, Tuesdays 20:00\"";
        text += '}';
    }
    text += "]}\n";
    return text;
}

} // namespace kl40::bench
