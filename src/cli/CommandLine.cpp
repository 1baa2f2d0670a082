// CLI11 parses; what it does not know is left to us as "extras", so an unknown option gets our
// German message instead of the library's English one, and the checks run in the order users
// have seen so far: unknown option, --help, --version, then the number of arguments.

#include "CommandLine.h"

#include <CLI/CLI.hpp>

#include <algorithm>

namespace hq {

namespace {

// The long name of "-o,--output" or "--json": "output", "json".
std::string longName(std::string_view names) {
    const std::size_t dashes = names.rfind("--");
    return std::string{dashes == std::string_view::npos ? names : names.substr(dashes + 2)};
}

// "-x" for "-xyz" (a cluster of short options: the first one is unknown), "--colour" for
// "--colour=red".
std::string unknownOptionName(const std::string& argument) {
    if (!argument.starts_with("--"))
        return argument.substr(0, 2);
    return argument.substr(0, argument.find('='));
}

std::string parseErrorText(const CLI::ParseError& error) {
    const std::string what = error.what();
    const std::string name = what.substr(0, what.find(':'));
    if (dynamic_cast<const CLI::ArgumentMismatch*>(&error) && what.find("missing") != std::string::npos)
        return "Nach " + name + " fehlt der Wert.";
    if (dynamic_cast<const CLI::ConversionError*>(&error) ||
        dynamic_cast<const CLI::ArgumentMismatch*>(&error))
        return "Der Wert von " + name + " passt nicht.";
    return "Die Angaben passen nicht zusammen.";
}

// A switch written with a value ("--json=0"), which CLI11 would take as a count: the name, or
// nothing. The argument after an option that takes a value is that value, whatever it looks like.
std::optional<std::string> switchWithValue(std::span<const OptionSpec> options,
                                           const std::vector<std::string>& arguments) {
    auto spec = [&](std::string_view name) -> const OptionSpec* {
        for (const OptionSpec& option : options) {
            if (longName(option.names) == name)
                return &option;
        }
        return nullptr;
    };
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        if (argument == "--")
            break;
        if (!argument.starts_with("--")) {
            // "-o OUT": the next argument is the value.
            for (const OptionSpec& option : options) {
                if (option.takesValue && std::string_view{option.names}.starts_with(argument + ","))
                    ++i;
            }
            continue;
        }
        const std::size_t equals = argument.find('=');
        const std::string name =
            argument.substr(2, equals == std::string::npos ? std::string::npos : equals - 2);
        const OptionSpec* option = spec(name);
        if (equals == std::string::npos) {
            if (option && option->takesValue)
                ++i;
        } else if ((option && !option->takesValue) || name == "help" || name == "version") {
            return "--" + name;
        }
    }
    return std::nullopt;
}

} // namespace

std::optional<std::string> ParsedArguments::value(std::string_view name) const {
    for (const auto& [key, given] : values) {
        if (key == name)
            return given;
    }
    return std::nullopt;
}

bool ParsedArguments::isSet(std::string_view name) const {
    return std::find(switches.begin(), switches.end(), name) != switches.end() || value(name).has_value();
}

std::string versionText() {
    return std::string{"hexquendra-cli "} + HQ_VERSION_TEXT;
}

std::string commandHelp(const CliCommand& command) {
    return std::string{"Aufruf: hexquendra-cli "} + command.name + " " + command.synopsis + "\n\n" +
           command.summary + "\n\n" + command.details +
           "  -h, --help                  diese Hilfe\n"
           "      --version               Versionsnummer\n";
}

int usageError(const CliCommand& command, std::string_view message, Console& console) {
    console.err << message << "\nHilfe: hexquendra-cli " << command.name << " --help\n";
    return kExitUsage;
}

std::optional<int> parseCommandLine(const CliCommand& command, std::span<const OptionSpec> options,
                                    const std::vector<std::string>& arguments, std::size_t positionals,
                                    ParsedArguments& parsed, Console& console) {
    CLI::App app;
    app.set_help_flag();
    app.allow_extras(true);
    std::vector<CLI::Option*> declared;
    for (const OptionSpec& spec : options) {
        declared.push_back(spec.takesValue ? app.add_option(spec.names)
                                                 ->expected(1)
                                                 ->multi_option_policy(CLI::MultiOptionPolicy::TakeLast)
                                           : app.add_flag(spec.names));
    }
    CLI::Option* help = app.add_flag("-h,--help");
    CLI::Option* version = app.add_flag("--version");
    std::vector<std::string> given;
    app.add_option("arguments", given)->expected(0, -1);

    if (auto name = switchWithValue(options, arguments))
        return usageError(command, "Ungültiger Aufruf: " + *name + " nimmt keinen Wert.", console);
    // CLI11 takes the arguments last to first.
    std::vector<std::string> reversed(arguments.rbegin(), arguments.rend());
    try {
        app.parse(reversed);
    } catch (const CLI::ParseError& error) {
        return usageError(command, "Ungültiger Aufruf: " + parseErrorText(error), console);
    }
    // Only what CLI11 took for an option lands here (and "--" itself): the other arguments, also
    // those after "--", are in `given`.
    for (const std::string& extra : app.remaining()) {
        if (extra != "--" && extra.size() > 1 && extra.front() == '-')
            return usageError(command, "Unbekannte Option: " + unknownOptionName(extra), console);
    }
    if (help->count() > 0) {
        console.out << commandHelp(command);
        return kExitSuccess;
    }
    if (version->count() > 0) {
        console.out << versionText() << '\n';
        return kExitSuccess;
    }
    if (given.size() < positionals)
        return usageError(command, "Es fehlen Angaben.", console);
    if (given.size() > positionals) {
        std::string list;
        for (const std::string& argument : given)
            list += (list.empty() ? "" : " ") + argument;
        return usageError(command, "Zu viele Angaben: " + list, console);
    }

    parsed.positionals = std::move(given);
    for (std::size_t i = 0; i < options.size(); ++i) {
        const CLI::Option& option = *declared[i];
        if (option.count() == 0)
            continue;
        const std::string name = longName(options[i].names);
        if (options[i].takesValue && !option.results().empty())
            parsed.values.emplace_back(name, option.results().back());
        else if (!options[i].takesValue)
            parsed.switches.push_back(name);
    }
    return std::nullopt;
}

} // namespace hq
