// Runs romwise-cli on mutated machine profiles and checks how each run
// ends: no abort or other signal, no run longer than the time limit, no
// sanitizer report, an exit status the program documents, and every
// refusal of a profile one line with status 2.
//
//   romwise_profile_mutation_run CLI SAMPLES COUNT [SEED [SECONDS]]
//
// The profiles are the samples' with one to three mutations each: numbers
// and texts swapped for extremes (1e400, 2^64, negative, "/dev/zero", a
// FIFO, control bytes, NUL), keys given twice, deep nesting, and bytes
// flipped, inserted, deleted or cut off. Profiles that found a fault are
// kept in the printed folder.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <iterator>
#include <map>
#include <random>
#include <string>
#include <thread>
#include <vector>

namespace {

namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

constexpr const char* kNumbers[] = {"0",
                                    "-1",
                                    "1e400",
                                    "-1e400",
                                    "1e308",
                                    "18446744073709551615",
                                    "18446744073709551616",
                                    "4000000001",
                                    "1.5",
                                    "-0",
                                    "1e-400",
                                    "2147483648",
                                    "-2147483649",
                                    "9223372036854775807",
                                    "\"0xFFFFFFFFFFFFFFFF\"",
                                    "\"0x\"",
                                    "\"0x10000\"",
                                    "\"12\""};
constexpr const char* kTexts[] = {"\"\"",
                                  "\"/dev/zero\"",
                                  "\"fifo\"",
                                  "\"zero-link\"",
                                  "\"award-440bx-rom.bin\\u0000.txt\"",
                                  "\"\\u001b[2J\\n\\r\\t\\u007f\"",
                                  "\"/\"",
                                  "\"..\"",
                                  "\"award-440bx-rom.bin\"",
                                  "\"award-440bx.dmi\"",
                                  "\"many-slots.dmi\"",
                                  "\"pentium3.cpuid\"",
                                  "\"linux\"",
                                  "\"missing\"",
                                  "null",
                                  "true",
                                  "[]",
                                  "{}"};
constexpr const char* kOptions[][3] = {{"--format", "json", nullptr},
                                       {"--format", "url", nullptr},
                                       {"--skip-dmi", nullptr, nullptr},
                                       {"--skip-superio", "--submit", nullptr},
                                       {nullptr, nullptr, nullptr}};
constexpr int kDocumentedStatuses[] = {0, 2, 3, 4};

struct Token {
    std::size_t begin;
    std::size_t end;
    bool text;  // a string, else a number
};

// The string and number tokens of a JSON text (strings keys included).
std::vector<Token> tokensOf(const std::string& json) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < json.size(); ++i) {
        if (json[i] == '"') {
            std::size_t j = i + 1;
            while (j < json.size() && json[j] != '"') {
                j += json[j] == '\\' ? 2 : 1;
            }
            tokens.push_back({i, std::min(j + 1, json.size()), true});
            i = j;
        } else if (json[i] == '-' || (json[i] >= '0' && json[i] <= '9')) {
            std::size_t j = i;
            while (j < json.size() &&
                   std::string_view("+-.eE0123456789").find(json[j]) != std::string_view::npos) {
                ++j;
            }
            tokens.push_back({i, j, false});
            i = j - 1;
        }
    }
    return tokens;
}

template <typename T, std::size_t N>
const T& pick(const T (&items)[N], std::mt19937& random) {
    return items[std::uniform_int_distribution<std::size_t>(0, N - 1)(random)];
}

std::size_t below(std::size_t n, std::mt19937& random) {
    return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(random);
}

void mutate(std::string& json, std::mt19937& random) {
    const std::vector<Token> tokens = tokensOf(json);
    const auto token = [&]() -> const Token* {
        return tokens.empty() ? nullptr : &tokens[below(tokens.size(), random)];
    };
    switch (below(11, random)) {
        case 0:
        case 1:
            if (const Token* t = token()) {
                json.replace(t->begin, t->end - t->begin, pick(kNumbers, random));
            }
            break;
        case 9:
        case 10:  // a number that mostly fits its field, so that more profiles load
            if (const Token* t = token(); t && !t->text) {
                const int bits = static_cast<int>(below(34, random));
                json.replace(t->begin, t->end - t->begin,
                             std::to_string(random() & ((std::uint64_t{1} << bits) - 1)));
            }
            break;
        case 2:
        case 3:
            if (const Token* t = token(); t && t->text) {
                // A value, not a key: the next non-blank is no colon.
                const std::size_t next = json.find_first_not_of(" \t\r\n", t->end);
                if (next == std::string::npos || json[next] != ':') {
                    json.replace(t->begin, t->end - t->begin, pick(kTexts, random));
                }
            }
            break;
        case 4:  // a key given twice: "key": value, "key": value
            if (const Token* t = token(); t && t->text) {
                const std::size_t colon = json.find_first_not_of(" \t\r\n", t->end);
                const std::size_t end = json.find_first_of(",}", t->end);
                if (colon != std::string::npos && json[colon] == ':' && end != std::string::npos) {
                    json.insert(end, ", " + json.substr(t->begin, end - t->begin));
                }
            }
            break;
        case 5: {  // deep nesting in place of a value
            if (const Token* t = token()) {
                const std::size_t depth = 30 + below(60, random);
                json.replace(t->begin, t->end - t->begin,
                             std::string(depth, '[') + std::string(depth, ']'));
            }
            break;
        }
        case 6:
            if (!json.empty()) {
                json[below(json.size(), random)] = static_cast<char>(below(256, random));
            }
            break;
        case 7:
            if (!json.empty()) {
                const std::size_t at = below(json.size(), random);
                json.erase(at, 1 + below(std::min<std::size_t>(16, json.size() - at), random));
            }
            break;
        case 8:
            json.resize(below(json.size() + 1, random));
            break;
    }
}

struct Outcome {
    int status = -1;  // exit status, or -signal
    bool timedOut = false;
    double seconds = 0;
    std::string errors;
};

Outcome run(const std::string& cli, const std::vector<std::string>& arguments,
            const fs::path& errorsFile, double limit) {
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_RDWR);
        const int errors = ::open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600);
        ::dup2(devNull, 0);
        ::dup2(devNull, 1);
        ::dup2(errors, 2);
        std::vector<char*> argv = {const_cast<char*>(cli.c_str())};
        for (const std::string& argument : arguments) {
            argv.push_back(const_cast<char*>(argument.c_str()));
        }
        argv.push_back(nullptr);
        ::execv(cli.c_str(), argv.data());
        ::_exit(127);
    }
    Outcome outcome;
    int status = 0;
    for (;;) {
        if (::waitpid(child, &status, WNOHANG) == child) {
            break;
        }
        if (std::chrono::duration<double>(Clock::now() - start).count() > limit) {
            outcome.timedOut = true;
            ::kill(child, SIGKILL);
            ::waitpid(child, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    outcome.seconds = std::chrono::duration<double>(Clock::now() - start).count();
    outcome.status = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
    std::ifstream in(errorsFile, std::ios::binary);
    outcome.errors.assign(std::istreambuf_iterator<char>(in), {});
    return outcome;
}

// What is wrong with how a run ended; empty when nothing is.
std::string faultOf(const Outcome& outcome) {
    if (outcome.timedOut) {
        return "hang";
    }
    if (outcome.status < 0) {
        return "signal " + std::to_string(-outcome.status);
    }
    for (const char* report : {"Sanitizer", "runtime error"}) {
        if (outcome.errors.find(report) != std::string::npos) {
            return "sanitizer report";
        }
    }
    if (std::find(std::begin(kDocumentedStatuses), std::end(kDocumentedStatuses), outcome.status) ==
        std::end(kDocumentedStatuses)) {
        return "exit status " + std::to_string(outcome.status);
    }
    if (outcome.status == 2 &&
        (std::count(outcome.errors.begin(), outcome.errors.end(), '\n') != 1 ||
         outcome.errors.rfind("romwise: machine profile refused: ", 0) != 0)) {
        return "refusal not one line";
    }
    return {};
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " CLI SAMPLES COUNT [SEED [SECONDS]]\n";
        return 2;
    }
    const std::string cli = fs::absolute(argv[1]).string();
    const fs::path samples = argv[2];
    const long count = std::atol(argv[3]);
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : 1;
    const double limit = argc > 5 ? std::atof(argv[5]) : 5.0;

    // A scratch folder with the samples' files, a FIFO and a link to a device.
    std::string pattern = (fs::temp_directory_path() / "romwise-mutation-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        std::cerr << "cannot create a scratch folder\n";
        return 2;
    }
    const fs::path scratch = pattern;
    std::vector<std::string> profiles;
    for (const auto& entry : fs::directory_iterator(samples)) {
        fs::copy(entry.path(), scratch / entry.path().filename());
        if (entry.path().extension() == ".json") {
            std::ifstream in(entry.path(), std::ios::binary);
            profiles.emplace_back(std::istreambuf_iterator<char>(in),
                                  std::istreambuf_iterator<char>());
        }
    }
    std::sort(profiles.begin(), profiles.end());
    ::mkfifo((scratch / "fifo").c_str(), 0600);
    fs::create_symlink("/dev/zero", scratch / "zero-link");
    const fs::path faults = scratch / "faults";
    fs::create_directory(faults);

    std::mt19937 random(seed);
    std::map<int, long> statuses;
    long faultCount = 0;
    double slowest = 0;
    for (long i = 0; i < count; ++i) {
        std::string json = profiles[below(profiles.size(), random)];
        const std::size_t mutations = 1 + below(3, random);
        for (std::size_t m = 0; m < mutations; ++m) {
            mutate(json, random);
        }
        const fs::path profile = scratch / "mutated.json";
        std::ofstream(profile, std::ios::binary | std::ios::trunc) << json;
        std::vector<std::string> arguments = {"--machine", profile.string()};
        for (const char* option : pick(kOptions, random)) {
            if (option != nullptr) {
                arguments.push_back(option);
            }
        }
        const Outcome outcome = run(cli, arguments, scratch / "errors.txt", limit);
        slowest = std::max(slowest, outcome.seconds);
        ++statuses[outcome.timedOut ? -1000 : outcome.status];
        if (const std::string fault = faultOf(outcome); !fault.empty()) {
            ++faultCount;
            const fs::path kept = faults / ("fault-" + std::to_string(i) + ".json");
            fs::copy_file(profile, kept);
            std::cout << kept.string() << ": " << fault << "\n" << outcome.errors << '\n';
        }
    }
    fs::remove(scratch / "fifo");
    std::cout << count << " mutated profiles, seed " << seed << ": ";
    for (const auto& [status, n] : statuses) {
        std::cout << (status == -1000 ? std::string("timed out")
                                      : "status " + std::to_string(status))
                  << " " << n << "; ";
    }
    std::cout << "faults " << faultCount << "; slowest run " << slowest << " s\n";
    if (faultCount == 0) {
        fs::remove_all(scratch);
    } else {
        std::cout << "kept in " << faults.string() << '\n';
    }
    return faultCount == 0 ? 0 : 1;
}
