#include "main/ToolArgs.h"

#include <cstdio>

#include "app/Win1252.h"

namespace vx::tool {
namespace {

const OptionSpec* FindLong(const std::vector<OptionSpec>& specs, std::string_view name) {
    for (const OptionSpec& option : specs)
        if (option.Long == name) return &option;
    return nullptr;
}

const OptionSpec* FindShort(const std::vector<OptionSpec>& specs, char name) {
    for (const OptionSpec& option : specs)
        if (option.Short != 0 && option.Short == name) return &option;
    return nullptr;
}

}  // namespace

ToolArgs::ToolArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs) {
    bool optionsEnded = false;
    for (size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        if (optionsEnded || arg.size() < 2 || arg[0] != '-') {
            positionals_.push_back(arg);
            continue;
        }
        if (arg == "--") {
            optionsEnded = true;
            continue;
        }
        const OptionSpec* option = nullptr;
        std::optional<std::string> inlineValue;
        if (arg[1] == '-') {
            std::string_view name = std::string_view(arg).substr(2);
            const size_t equals = name.find('=');
            if (equals != std::string_view::npos) {
                inlineValue = std::string(name.substr(equals + 1));
                name = name.substr(0, equals);
            }
            option = FindLong(specs, name);
        } else if (arg.size() == 2) {
            option = FindShort(specs, arg[1]);
        }
        if (!option) throw UsageError("unknown option " + arg);
        const std::string name(option->Long);
        if (values_.count(name)) throw UsageError("option --" + name + " given twice");
        if (!option->TakesValue) {
            if (inlineValue) throw UsageError("option --" + name + " takes no value");
            values_[name] = "";
        } else if (inlineValue) {
            values_[name] = *inlineValue;
        } else if (i + 1 < args.size()) {
            values_[name] = args[++i];
        } else {
            throw UsageError("option " + arg + " needs a value");
        }
    }
}

std::optional<std::string> ToolArgs::Value(std::string_view name) const {
    const auto found = values_.find(std::string(name));
    if (found == values_.end()) return std::nullopt;
    return found->second;
}

void ToolArgs::ExpectPositionals(size_t count, std::string_view what) const {
    if (positionals_.size() < count) throw UsageError("missing " + std::string(what));
    if (positionals_.size() > count) throw UsageError("unexpected argument " + positionals_[count]);
}

std::string ForTerminal(std::string_view win1252, bool keepLineBreaks) {
    std::string safe;
    for (size_t i = 0; i < win1252.size(); ++i) {
        const auto byte = static_cast<unsigned char>(win1252[i]);
        if (keepLineBreaks && byte == '\r' && i + 1 < win1252.size() && win1252[i + 1] == '\n')
            continue;  // CR LF shows as one line break
        if (keepLineBreaks && (byte == '\n' || byte == '\r')) {
            safe += '\n';
        } else if (byte < 0x20 || byte == 0x7F ||
                   (byte >= 0x80 && byte <= 0x9F && Win1252ToCodePoint(byte) == byte)) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\x%02X", byte);
            safe += escape;
        } else {
            safe += static_cast<char>(byte);
        }
    }
    return Win1252ToUtf8(safe);
}

std::string OneLine(std::string_view text) {
    std::string line;
    for (size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            if (!line.empty() && line.back() != ' ') line += ' ';
            continue;
        }
        line += c;
    }
    while (!line.empty() && line.back() == ' ')
        line.pop_back();
    return line;
}

}  // namespace vx::tool
