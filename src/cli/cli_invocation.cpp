// Parsing the command line into the command to run, help, version or a refusal.
#include "cli/cli_invocation.h"

#include "cli/cli_text.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace quillmar {

namespace {

CliInvocation Refuse(std::string error) {
    CliInvocation inv;
    inv.error = std::move(error);
    return inv;
}

// A missing value can only be that of the last argument.
std::string DescribeParseError(const CLI::ParseError& e, const std::vector<std::string>& args) {
    for (const CliOptionEntry& entry : CliOptionTable()) {
        if (entry.value && !args.empty() && args.back() == entry.name)
            return std::string(entry.name) + " needs a value, " + entry.value + ". Try --help.";
        for (const std::string& arg : args)
            if (!entry.value && arg.starts_with(std::string(entry.name) + '='))
                return std::string(entry.name) + " takes no value. Try --help.";
    }
    return CutMessage(e.what()) + ". Try --help.";
}

bool MayRepeat(const CliCommand& command, CliOption option, const CliOptions& options) {
    if (option == CliOption::kSet) return true;
    const std::string_view name = command.name;
    return option == CliOption::kCard && (name == "cards" || (name == "write" && options.Has(CliOption::kAllCards)));
}

std::string OptionsTaken(const CliCommand& command) {
    if (command.options.empty()) return std::string(command.name) + " takes no options.";
    std::string list;
    for (const CliOption option : command.options) list += (list.empty() ? "" : ", ") + OptionWithValue(option);
    return std::string(command.name) + " takes " + list + ".";
}

// The options the command would ignore, or take once where they were given
// several times: a script that means something else should hear about it.
std::string RefuseUnusedOptions(const CliCommand& command, const CliOptions& options) {
    for (const auto& [option, values] : options.given) {
        const std::string name = EntryOf(option).name;
        if (std::find(command.options.begin(), command.options.end(), option) == command.options.end())
            return std::string(command.name) + " does not take " + name + "; " + OptionsTaken(command);
        if (values.size() > 1 && !MayRepeat(command, option, options))
            return name + " is given " + std::to_string(values.size()) + " times; " + command.name +
                   " takes it once. " + OptionsTaken(command);
    }
    return {};
}

}  // namespace

CliInvocation ParseCliInvocation(const std::vector<std::string>& args) {
    CLI::App app;
    app.set_help_flag();
    app.allow_extras();
    CLI::Option* help = app.add_flag("-h,--help");
    CLI::Option* version = app.add_flag("-v,--version");
    std::vector<std::pair<CliOption, CLI::Option*>> parsed;
    for (const CliOptionEntry& entry : CliOptionTable()) {
        CLI::Option* o = entry.value ? app.add_option(entry.name)
                                           ->multi_option_policy(CLI::MultiOptionPolicy::TakeAll)
                                           ->allow_extra_args(false)
                                     : app.add_flag(entry.name)->disable_flag_override();
        parsed.emplace_back(entry.id, o);
    }
    std::vector<std::string> words;
    app.add_option("command", words);
    try {
        std::vector<std::string> reversed(args.rbegin(), args.rend());  // CLI11 takes them last first
        app.parse(reversed);
    } catch (const CLI::ParseError& e) {
        return Refuse(DescribeParseError(e, args));
    }
    CliInvocation inv;
    if (help->count() > 0) {
        inv.action = CliInvocation::kHelp;
        return inv;
    }
    if (version->count() > 0) {
        inv.action = CliInvocation::kVersion;
        return inv;
    }
    if (!app.remaining().empty()) {
        const std::string first = app.remaining().front();
        return Refuse(first.starts_with('-') ? "unknown option " + QuotedForMessage(first) + ". Try --help."
                                             : "unexpected argument " + QuotedForMessage(first) + ".");
    }
    for (const auto& [id, o] : parsed) {
        if (o->count() == 0) continue;
        std::vector<std::string>& values = inv.options.given[id];
        if (EntryOf(id).value)
            values = o->results();
        else
            values.resize(o->count());
    }
    if (words.empty()) return Refuse("no command given. Try --help.");
    for (const CliCommand& c : CliCommands()) {
        if (words.front() != c.name) continue;
        if (words.size() > 1) return Refuse("unexpected argument " + QuotedForMessage(words[1]) + ".");
        if (std::string error = RefuseUnusedOptions(c, inv.options); !error.empty()) return Refuse(std::move(error));
        if (inv.options.Has(CliOption::kConfig) && inv.options.Has(CliOption::kUserConfig))
            return Refuse("--config and --user-config name two different profile files; give one.");
        inv.action = CliInvocation::kRun;
        inv.command = &c;
        return inv;
    }
    return Refuse("unknown command " + QuotedForMessage(words.front()) + ". Try --help.");
}

namespace {

// `text` broken into lines of at most `width` characters at spaces.
std::vector<std::string> Wrapped(std::string_view text, size_t width) {
    std::vector<std::string> lines{std::string()};
    size_t at = 0;
    while (at < text.size()) {
        const size_t end = std::min(text.find(' ', at), text.size());
        const std::string_view word = text.substr(at, end - at);
        if (!lines.back().empty() && lines.back().size() + 1 + word.size() > width) lines.emplace_back();
        if (!lines.back().empty()) lines.back() += ' ';
        lines.back() += word;
        at = end + 1;
    }
    return lines;
}

}  // namespace

std::string CliHelpText() {
    std::string text =
        "Usage: quillmar-cli [options] command\n"
        "Writes camera settings for the camera's memory card.\n\nCommands:\n";
    for (const CliCommand& c : CliCommands()) text += "  " + std::string(c.synopsis) + '\n';
    std::vector<std::pair<std::string, std::string>> rows = {
        {"-h, --help", "Show the commands and options, then exit."}, {"-v, --version", "Show the version, then exit."}};
    for (const CliOptionEntry& entry : CliOptionTable())
        rows.emplace_back(entry.value ? std::string(entry.name) + " <" + entry.value + '>' : entry.name, entry.help);
    size_t width = 0;
    for (const auto& row : rows) width = std::max(width, row.first.size());
    text += "\nOptions:\n";
    for (const auto& [names, help] : rows) {
        std::string left = "  " + names;
        for (const std::string& line : Wrapped(help, 79 - width - 4)) {
            left.resize(width + 4, ' ');
            text += left + line + '\n';
            left.clear();
        }
    }
    text += "\nArguments:\n  command" + std::string(width - 5, ' ') + "One of the commands listed above.\n";
    return text;
}

}  // namespace quillmar
