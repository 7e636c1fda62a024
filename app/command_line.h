// The command line of every Romwise program: one parser and one set of
// messages. Each program names the options it takes (the shared ones
// through addSharedOptions, then its own) and parses its arguments once.
#pragma once

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace romwise {

class CommandLine {
  public:
    // Checks and keeps an option's value; returns why it is refused, empty
    // when it is taken.
    using ValueTaker = std::function<std::string(const std::string& value)>;

    // A switch without a value ("--name"; "--name=x" is refused).
    CommandLine& flag(std::string_view name, bool& target);
    // An option with a value, as "--name VALUE" or "--name=VALUE".
    CommandLine& option(std::string_view name, ValueTaker take);
    // An option some other reader takes from the same arguments (the window
    // system's own): passed over, with its value when it takes one. It may
    // be spelt with one dash or two, and its value may follow "=".
    CommandLine& passOver(std::string_view name, bool takesValue);

    // Why the arguments are refused, as one line; empty when every one was
    // understood. Parsing stops at the first refusal.
    std::string parse(const std::vector<std::string>& arguments) const;

  private:
    enum class Kind { Flag, Option, PassOver, PassOverWithValue };
    struct Entry {
        std::string name;
        Kind kind;
        bool* flag = nullptr;
        ValueTaker take;
    };
    const Entry* find(std::string_view name) const;
    const Entry* findPassOver(std::string_view argument, bool& valueInline) const;

    std::vector<Entry> entries_;
};

// The options more than one program takes.
struct SharedOptions {
    std::optional<std::string> machine;  // a machine profile instead of this computer
    bool skipSuperIo = false;
    bool skipDmi = false;
    bool help = false;
    bool version = false;
};

// Which of the shared options a program takes beside --help (also -h) and
// --version: the profile, and the two switches of the options dialog where
// the program sets them from its command line.
struct SharedOptionChoice {
    bool machine = true;
    bool detectionSwitches = false;
};
void addSharedOptions(CommandLine& commandLine, SharedOptions& options, SharedOptionChoice choice);

// What a program prints for a refused command line: the reason on a
// "romwise: " line of its own, control bytes escaped, and which program's
// --help to ask.
std::string usageErrorText(std::string_view program, std::string_view reason);
// What --version prints.
std::string versionText();

}  // namespace romwise
