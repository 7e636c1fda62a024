// Runs romwise-cli on mutated machine profiles and checks how each run
// ends: no signal (an abort), no run over the time limit, no sanitizer
// report, an exit status the program documents, and every refusal of a
// profile one line with status 2.
//
//   romwise_profile_mutation_run CLI SAMPLES COUNT [SEED [SECONDS]]
//
// Each profile is a sample's with one to three mutations: a number or text
// swapped for an extreme (1e400, 2^64, "/dev/zero", a FIFO, control bytes,
// NUL) or a plain number, a key given twice, deep nesting, a byte changed,
// bytes deleted, the text cut off. Profiles that found a fault are kept.
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
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

// Replacements, one per line.
constexpr std::string_view kNumbers = R"(0
-1
1e400
-1e400
1e308
1e-400
18446744073709551616
9223372036854775807
4000000001
2147483648
-2147483649
1.5
"0xFFFFFFFFFFFFFFFF"
"0x"
"12")";
constexpr std::string_view kTexts = R"(""
"/dev/zero"
"fifo"
"zero-link"
"award-440bx-rom.bin\u0000.txt"
"\u001b[2J\n\r\t\u007f"
"/"
"award-440bx.dmi"
"many-slots.dmi"
"pentium3.cpuid"
"linux"
null
[]
{})";
const std::vector<std::vector<std::string>> kOptions = {
    {"--format", "json"}, {"--format", "url"}, {"--skip-dmi"}, {"--skip-superio", "--submit"}, {}};
constexpr int kDocumentedStatuses[] = {0, 2, 3, 4};

std::mt19937 generator;

std::size_t below(std::size_t n) {
    return n == 0 ? 0 : std::uniform_int_distribution<std::size_t>(0, n - 1)(generator);
}

std::string anyLineOf(std::string_view lines) {
    std::vector<std::string_view> all;
    for (std::size_t start = 0; start <= lines.size();) {
        const std::size_t end = std::min(lines.find('\n', start), lines.size());
        all.push_back(lines.substr(start, end - start));
        start = end + 1;
    }
    return std::string(all[below(all.size())]);
}

struct Token {
    std::size_t begin, end;
    bool text;  // a string (a key or a value), else a number
};

std::vector<Token> tokensOf(const std::string& json) {
    std::vector<Token> tokens;
    for (std::size_t i = 0; i < json.size(); ++i) {
        std::size_t j = i + 1;
        if (json[i] == '"') {
            for (; j < json.size() && json[j] != '"'; j += json[j] == '\\' ? 2 : 1) {
            }
            tokens.push_back({i, j = std::min(j + 1, json.size()), true});
        } else if (json[i] == '-' || (json[i] >= '0' && json[i] <= '9')) {
            for (; j < json.size() &&
                   std::string_view("+-.eE0123456789").find(json[j]) != std::string_view::npos;
                 ++j) {
            }
            tokens.push_back({i, j, false});
        }
        i = j - 1;
    }
    return tokens;
}

void mutate(std::string& json) {
    const std::vector<Token> tokens = tokensOf(json);
    if (tokens.empty() || json.empty()) {
        json += anyLineOf(kTexts);
        return;
    }
    const Token& t = tokens[below(tokens.size())];
    const std::size_t after = json.find_first_not_of(" \t\r\n", t.end);
    const bool isKey = t.text && after != std::string::npos && json[after] == ':';
    const std::size_t length = t.end - t.begin;
    switch (below(10)) {
        case 0:
        case 1:
            json.replace(t.begin, length, anyLineOf(kNumbers));
            break;
        case 2:
        case 3:
            if (!t.text) {  // a plain number, which mostly fits its field
                json.replace(t.begin, length,
                             std::to_string(generator() & ((1ull << below(34)) - 1)));
            }
            break;
        case 4:
            if (!isKey) {
                json.replace(t.begin, length, anyLineOf(kTexts));
            }
            break;
        case 5:  // "key": value, "key": value
            if (const std::size_t end = json.find_first_of(",}", t.end);
                isKey && end != json.npos) {
                json.insert(end, ", " + json.substr(t.begin, end - t.begin));
            }
            break;
        case 6:
            if (!isKey) {
                const std::size_t depth = 30 + below(60);
                json.replace(t.begin, length, std::string(depth, '[') + std::string(depth, ']'));
            }
            break;
        case 7:
            json[below(json.size())] = static_cast<char>(below(256));
            break;
        case 8:
            json.erase(below(json.size()), 1 + below(16));
            break;
        case 9:
            json.resize(below(json.size() + 1));
            break;
    }
}

struct Outcome {
    int status = 0;  // exit status, or minus the signal that ended the run
    bool timedOut = false;
    double seconds = 0;
    std::string errors;
};

Outcome run(std::vector<std::string> command, const fs::path& errorsFile, double limit) {
    const Clock::time_point start = Clock::now();
    const pid_t child = ::fork();
    if (child == 0) {
        const int devNull = ::open("/dev/null", O_RDWR);
        ::dup2(devNull, 0);
        ::dup2(devNull, 1);
        ::dup2(::open(errorsFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0600), 2);
        std::vector<char*> argv;
        for (std::string& word : command) {
            argv.push_back(word.data());
        }
        argv.push_back(nullptr);
        ::execv(argv[0], argv.data());
        ::_exit(127);
    }
    Outcome outcome;
    int status = 0;
    while (::waitpid(child, &status, WNOHANG) != child) {
        if (Clock::now() - start > std::chrono::duration<double>(limit)) {
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
std::string faultOf(const Outcome& run) {
    if (run.timedOut || run.status < 0) {
        return run.timedOut ? "hang" : "signal " + std::to_string(-run.status);
    }
    if (run.errors.find("Sanitizer") != std::string::npos ||
        run.errors.find("runtime error") != std::string::npos) {
        return "sanitizer report";
    }
    if (std::find(std::begin(kDocumentedStatuses), std::end(kDocumentedStatuses), run.status) ==
        std::end(kDocumentedStatuses)) {
        return "exit status " + std::to_string(run.status);
    }
    const bool oneLine = std::count(run.errors.begin(), run.errors.end(), '\n') == 1 &&
                         run.errors.rfind("romwise: machine profile refused: ", 0) == 0;
    return run.status == 2 && !oneLine ? "refusal not one line" : "";
}

std::string readAll(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), {});
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::cerr << "usage: " << argv[0] << " CLI SAMPLES COUNT [SEED [SECONDS]]\n";
        return 2;
    }
    const std::string cli = fs::absolute(argv[1]).string();
    const long count = std::atol(argv[3]);
    const unsigned seed = argc > 4 ? static_cast<unsigned>(std::atol(argv[4])) : 1;
    const double limit = argc > 5 ? std::atof(argv[5]) : 5.0;
    generator.seed(seed);

    // A scratch folder with the samples' files, a FIFO and a link to a device.
    std::string pattern = (fs::temp_directory_path() / "romwise-mutation-XXXXXX").string();
    if (::mkdtemp(pattern.data()) == nullptr) {
        return 2;
    }
    const fs::path scratch = pattern;
    std::vector<std::string> profiles;
    for (const auto& entry : fs::directory_iterator(argv[2])) {
        fs::copy(entry.path(), scratch / entry.path().filename());
        if (entry.path().extension() == ".json") {
            profiles.push_back(readAll(entry.path()));
        }
    }
    std::sort(profiles.begin(), profiles.end());
    ::mkfifo((scratch / "fifo").c_str(), 0600);
    fs::create_symlink("/dev/zero", scratch / "zero-link");
    fs::create_directory(scratch / "faults");

    std::map<std::string, long> endings;
    long faults = 0;
    double slowest = 0;
    for (long i = 0; i < count; ++i) {
        std::string json = profiles[below(profiles.size())];
        for (std::size_t m = 1 + below(3); m > 0; --m) {
            mutate(json);
        }
        const fs::path profile = scratch / "mutated.json";
        std::ofstream(profile, std::ios::binary | std::ios::trunc) << json;
        std::vector<std::string> command = {cli, "--machine", profile.string()};
        const auto& options = kOptions[below(kOptions.size())];
        command.insert(command.end(), options.begin(), options.end());
        const Outcome outcome = run(command, scratch / "errors.txt", limit);
        slowest = std::max(slowest, outcome.seconds);
        ++endings[outcome.timedOut ? "over the time limit"
                                   : "status " + std::to_string(outcome.status)];
        if (const std::string fault = faultOf(outcome); !fault.empty()) {
            const fs::path kept =
                scratch / "faults" / ("fault-" + std::to_string(++faults) + ".json");
            fs::copy_file(profile, kept);
            std::cout << kept.string() << ": " << fault << "\n" << outcome.errors << '\n';
        }
    }
    fs::remove(scratch / "fifo");
    std::cout << count << " mutated profiles, seed " << seed << ":";
    for (const auto& [ending, n] : endings) {
        std::cout << ' ' << ending << ": " << n << ';';
    }
    std::cout << " faults: " << faults << "; slowest run " << slowest << " s\n";
    if (faults == 0) {
        fs::remove_all(scratch);
    }
    return faults == 0 ? 0 : 1;
}
