// Writes COUNT different RADIO JSON files of all three models into DIR
// (radio-00000.json, ...), the input of the batch build benchmark.

#include "bench/sample_radio.h"

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::cerr << "usage: kl40-make-radios DIR COUNT\n";
        return 2;
    }
    const std::filesystem::path dir = argv[1];
    const long count = std::strtol(argv[2], nullptr, 10);
    std::error_code ec;
    std::filesystem::create_directories(dir, ec);
    if (ec || count < 1) {
        std::cerr << "kl40-make-radios: cannot use " << dir.string() << " and " << argv[2] << '\n';
        return 1;
    }
    for (long i = 0; i < count; ++i) {
        std::string name = std::to_string(i);
        name.insert(0, name.size() < 5 ? 5 - name.size() : 0, '0');
        std::ofstream out(dir / ("radio-" + name + ".json"), std::ios::binary);
        out << kl40::bench::SampleRadioJson(static_cast<int>(i % 3), static_cast<unsigned>(i));
        if (!out) {
            std::cerr << "kl40-make-radios: cannot write into " << dir.string() << '\n';
            return 1;
        }
    }
    return 0;
}
