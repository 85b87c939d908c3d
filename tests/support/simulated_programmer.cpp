// A programmer's tool for the tests, with minipro's command line
// (-p DEVICE [-y] -r FILE | -w FILE) over a UV EPROM kept in a file:
//
//   KL40_SIM_CHIP   the chip's file; its size is the chip's (no file: no chip)
//   KL40_SIM_LOG    each run appends its arguments here, one line
//   KL40_SIM_FAULT  no-chip | short-read | write-fails-at=ADDRESS |
//                   quiet-fail-at=ADDRESS (stops there, says nothing, exits 0) |
//                   hang (a SIGTERM ends it, logged as a line "terminated") |
//                   write-hang (the same, when writing only) |
//                   stubborn-hang (ignores SIGTERM) | exit=STATUS:MESSAGE
//
// Writing can only clear bits: the chip becomes old AND new, and a byte that
// would need a bit set fails the tool's verify, as a real chip would.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include <fcntl.h>
#include <unistd.h>

namespace {

int logFd = -1;

extern "C" void logTerminated(int) {
    static const char line[] = "terminated\n";
    if (logFd >= 0) [[maybe_unused]]
        auto written = ::write(logFd, line, sizeof line - 1);
    std::signal(SIGTERM, SIG_DFL); // then dies of it as it would have
    ::raise(SIGTERM);
}

using Bytes = std::vector<unsigned char>;

std::string env(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

bool load(const std::string& path, Bytes& bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes.assign(std::istreambuf_iterator<char>(in), {});
    return true;
}

void save(const std::string& path, const Bytes& bytes, std::size_t count) {
    std::ofstream(path, std::ios::binary)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(count));
}

int fail(const std::string& message, int status = 1) {
    std::fprintf(stderr, "%s\n", message.c_str());
    return status;
}

} // namespace

int main(int argc, char** argv) {
    std::string device, readFile, writeFile;
    for (int i = 1; i < argc; ++i) {
        const std::string option = argv[i];
        const bool takesValue = option == "-p" || option == "-r" || option == "-w";
        if (takesValue && i + 1 == argc) return fail("option " + option + " needs a value", 2);
        if (option == "-p")
            device = argv[++i];
        else if (option == "-r")
            readFile = argv[++i];
        else if (option == "-w")
            writeFile = argv[++i];
        else if (option != "-y")
            return fail("unknown option " + option, 2);
    }
    if (const std::string log = env("KL40_SIM_LOG"); !log.empty()) {
        std::ofstream out(log, std::ios::app);
        for (int i = 1; i < argc; ++i)
            out << (i > 1 ? " " : "") << argv[i];
        out << '\n';
    }
    if (device.empty() || readFile.empty() == writeFile.empty())
        return fail("usage: -p DEVICE [-y] -r FILE | -w FILE", 2);
    std::printf("Found simulated programmer\n");
    std::fflush(stdout);

    const std::string fault = env("KL40_SIM_FAULT");
    if (fault == "hang" || fault == "stubborn-hang" ||
        (fault == "write-hang" && !writeFile.empty())) {
        if (fault == "stubborn-hang") {
            std::signal(SIGTERM, SIG_IGN);
        } else {
            logFd = ::open(env("KL40_SIM_LOG").c_str(), O_WRONLY | O_APPEND | O_CLOEXEC);
            std::signal(SIGTERM, logTerminated);
        }
        for (;;)
            ::pause();
    }
    if (fault.rfind("exit=", 0) == 0) {
        const std::size_t colon = fault.find(':');
        return fail(fault.substr(colon + 1), std::atoi(fault.substr(5, colon - 5).c_str()));
    }
    Bytes chip;
    if (fault == "no-chip" || !load(env("KL40_SIM_CHIP"), chip) || chip.empty())
        return fail("Unsupported device or no chip in the socket: " + device);

    if (!readFile.empty()) {
        std::printf("Reading Code...  OK\n");
        save(readFile, chip, fault == "short-read" ? chip.size() / 2 : chip.size());
        return 0;
    }
    Bytes image;
    if (!load(writeFile, image)) return fail("cannot open " + writeFile);
    if (image.size() != chip.size())
        return fail("Incorrect file size: " + std::to_string(image.size()) + " (needed " +
                    std::to_string(chip.size()) + ")");
    std::size_t end = image.size();
    const bool quiet = fault.rfind("quiet-fail-at=", 0) == 0;
    if (quiet || fault.rfind("write-fails-at=", 0) == 0)
        end = std::stoul(fault.substr(fault.find('=') + 1), nullptr, 0);
    for (std::size_t a = 0; a < end; ++a)
        chip[a] &= image[a];
    save(env("KL40_SIM_CHIP"), chip, chip.size());
    if (quiet) return 0; // a tool that neither programs past the address nor verifies
    if (end < image.size()) {
        char text[64];
        std::snprintf(text, sizeof text, "Programming failed at 0x%04zX", end);
        return fail(text);
    }
    std::printf("Writing Code...  OK\n");
    for (std::size_t a = 0; a < chip.size(); ++a)
        if (chip[a] != image[a]) {
            char text[80];
            std::snprintf(text, sizeof text, "Verification failed at 0x%04zX: 0x%02X != 0x%02X", a,
                          chip[a], image[a]);
            return fail(text);
        }
    std::printf("Verification OK\n");
    return 0;
}
