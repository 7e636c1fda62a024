#include "app/command_line.h"

#include <initializer_list>

#include "model/message_text.h"
#include "model/product_identity.h"

namespace romwise {

namespace {

constexpr std::string_view kLongPrefix = "--";

// Joins message parts; GCC 12 warns falsely (-Wrestrict) on chains of
// string + literal at -O3.
std::string joined(std::initializer_list<std::string_view> parts) {
    std::string text;
    for (const std::string_view part : parts) {
        text.append(part);
    }
    return text;
}

}  // namespace

CommandLine& CommandLine::flag(std::string_view name, bool& target) {
    entries_.push_back({std::string(name), Kind::Flag, &target, {}});
    return *this;
}

CommandLine& CommandLine::option(std::string_view name, ValueTaker take) {
    entries_.push_back({std::string(name), Kind::Option, nullptr, std::move(take)});
    return *this;
}

CommandLine& CommandLine::passOver(std::string_view name, bool takesValue) {
    entries_.push_back(
        {std::string(name), takesValue ? Kind::PassOverWithValue : Kind::PassOver, nullptr, {}});
    return *this;
}

const CommandLine::Entry* CommandLine::find(std::string_view name) const {
    for (const Entry& entry : entries_) {
        if ((entry.kind == Kind::Flag || entry.kind == Kind::Option) && entry.name == name) {
            return &entry;
        }
    }
    return nullptr;
}

const CommandLine::Entry* CommandLine::findPassOver(std::string_view argument,
                                                    bool& valueInline) const {
    if (argument.substr(0, kLongPrefix.size()) == kLongPrefix) {
        argument.remove_prefix(1);
    }
    const std::size_t equals = argument.find('=');
    valueInline = equals != std::string_view::npos;
    const std::string_view name = argument.substr(0, equals);
    for (const Entry& entry : entries_) {
        const bool takesValue = entry.kind == Kind::PassOverWithValue;
        if ((takesValue || entry.kind == Kind::PassOver) && entry.name == name &&
            (takesValue || !valueInline)) {
            return &entry;
        }
    }
    return nullptr;
}

std::string CommandLine::parse(const std::vector<std::string>& arguments) const {
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        bool valueInline = false;
        if (const Entry* other = findPassOver(argument, valueInline)) {
            if (other->kind == Kind::PassOverWithValue && !valueInline) {
                if (i + 1 >= arguments.size()) {
                    return joined({"option ", argument, " needs a value"});
                }
                ++i;
            }
            continue;
        }
        std::string name = argument;
        std::optional<std::string> value;
        if (const std::size_t equals = name.find('=');
            name.substr(0, kLongPrefix.size()) == kLongPrefix && equals != std::string::npos) {
            value = name.substr(equals + 1);
            name.resize(equals);
        }
        const Entry* entry = find(name);
        if (entry == nullptr) {
            return joined({"unknown option \"", argument, "\""});
        }
        if (entry->kind == Kind::Flag) {
            if (value) {
                return joined({"option ", name, " takes no value"});
            }
            *entry->flag = true;
            continue;
        }
        if (!value) {
            if (i + 1 >= arguments.size()) {
                return joined({"option ", name, " needs a value"});
            }
            value = arguments[++i];
        }
        if (std::string refusal = entry->take(*value); !refusal.empty()) {
            return refusal;
        }
    }
    return {};
}

void addSharedOptions(CommandLine& commandLine, SharedOptions& options, SharedOptionChoice choice) {
    commandLine.flag("--help", options.help).flag("-h", options.help);
    commandLine.flag("--version", options.version);
    if (choice.machine) {
        commandLine.option("--machine", [&options](const std::string& file) {
            if (file.empty()) {
                return std::string("option --machine needs a profile file");
            }
            options.machine = file;
            return std::string();
        });
    }
    if (choice.detectionSwitches) {
        commandLine.flag("--skip-superio", options.skipSuperIo).flag("--skip-dmi", options.skipDmi);
    }
}

std::string usageErrorText(std::string_view program, std::string_view reason) {
    return joined({"romwise: ", escapeControlBytes(reason), "\nTry '", program,
                   " --help' for more information.\n"});
}

std::string versionText() {
    return joined({"Romwise ", kVersionText, "\n"});
}

}  // namespace romwise
