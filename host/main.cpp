// kvhost: a host program for the settings library. It reads a simulation profile from JSON,
// loads the library with dlopen, opens the "Simulation Settings" sheet on the profile and lets
// a script or a person at the console drive it; at the end it writes the edited profile back
// as JSON.
//
//   kvhost [options] PROFILE.json
//
// Exit status: 0 when the script ran to its end and every expect held; 1 when an expect failed
// or a command was refused; 2 for bad arguments or an unreadable profile (nothing is written).
#include <unistd.h>

#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <memory>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "Ansi.h"
#include "CommandSource.h"
#include "FileWrite.h"
#include "LiveScreen.h"
#include "ProfileJson.h"
#include "ScriptRunner.h"
#include "SheetLibrary.h"
#include "kvwin32/drives.h"
#include "kvwin32/registry_file.h"

namespace {

constexpr const char* kUsage =
    "usage: kvhost [options] PROFILE.json\n"
    "\n"
    "Opens the Simulation Settings sheet of the settings library on a profile and runs a\n"
    "script on it (or an interactive console), then writes the edited profile.\n"
    "\n"
    "options:\n"
    "  --script FILE    run the commands of FILE (default: a console when standard input\n"
    "                   is a terminal, else the commands read from standard input)\n"
    "  --out FILE       write the edited profile to FILE (default: print it on exit)\n"
    "  --drives TABLE   the drive table, e.g. \"C:=/srv/sim;D:=/mnt/d\" (default: KV_DRIVES,\n"
    "                   else C: is /); a table that leaves / uncovered gets Z: (or the\n"
    "                   last free letter) for /\n"
    "  --registry FILE  load the registry from a \".reg\" file (default: KV_REGISTRY)\n"
    "  --root FOLDER    the installation root (a Windows path, or a Linux folder)\n"
    "  --library FILE   the settings library to load (default: KV_TESSEL_LIBRARY, else the\n"
    "                   one built beside kvhost)\n"
    "  --window         show the windows on the desktop and take mouse and keyboard there\n"
    "                   (after the script, when one is given)\n"
    "  --help           show this text\n"
    "  --version        show the versions of kvhost and of the library\n";

struct Options {
    std::optional<std::string> script;
    std::optional<std::string> out;
    std::optional<std::string> drives;
    std::optional<std::string> registry;
    std::optional<std::string> root;
    std::optional<std::string> library;
    std::string profile;
    bool help = false;
    bool version = false;
    bool window = false;
};

int usageError(const std::string& message) {
    std::cerr << "kvhost: " << message << "\n\n" << kUsage;
    return 2;
}

// Parses the command line; an error message for a bad one.
std::optional<std::string> parseOptions(int argc, char** argv, Options& options) {
    std::vector<std::string> positional;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        auto value = [&](std::optional<std::string>& slot) -> std::optional<std::string> {
            if (i + 1 >= argc) {
                return "option " + arg + " needs a value";
            }
            slot = argv[++i];
            return std::nullopt;
        };
        std::optional<std::string> error;
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--version") {
            options.version = true;
        } else if (arg == "--window") {
            options.window = true;
        } else if (arg == "--script") {
            error = value(options.script);
        } else if (arg == "--out") {
            error = value(options.out);
        } else if (arg == "--drives") {
            error = value(options.drives);
        } else if (arg == "--registry") {
            error = value(options.registry);
        } else if (arg == "--root") {
            error = value(options.root);
        } else if (arg == "--library") {
            error = value(options.library);
        } else if (arg.starts_with("--")) {
            error = "unknown option " + arg;
        } else {
            positional.push_back(arg);
        }
        if (error) {
            return error;
        }
    }
    if (options.help || options.version) {
        return std::nullopt;
    }
    if (positional.size() != 1) {
        return positional.empty() ? std::string("no profile given")
                                  : std::string("more than one profile given");
    }
    options.profile = positional.front();
    return std::nullopt;
}

// Reads standard input whole, up to the limit of any script file.
kvhost::Result<std::string> readStandardInput() {
    std::string text;
    char chunk[65536];
    while (std::cin.read(chunk, sizeof chunk) || std::cin.gcount() > 0) {
        if (text.size() + static_cast<std::size_t>(std::cin.gcount()) > kvhost::kMaxInputBytes) {
            return kvhost::Error{"the commands on standard input are longer than " +
                                 std::to_string(kvhost::kMaxInputBytes >> 20) + " MiB"};
        }
        text.append(chunk, static_cast<std::size_t>(std::cin.gcount()));
    }
    return text;
}

// Why a registry file could not be loaded.
std::string registryFailure(const std::string& path, const kvwin32::RegFileLoad& load) {
    std::string why;
    switch (load.error) {
        case ERROR_FILE_NOT_FOUND:
        case ERROR_PATH_NOT_FOUND:
            why = "no such file";
            break;
        case ERROR_BADDB:
            why =
                load.diagnostics.empty() ? "not a registry file" : load.diagnostics.front().message;
            break;
        default:
            why = load.reason.empty() ? "error " + std::to_string(load.error) : load.reason;
            break;
    }
    return "cannot load the registry file " + path + ": " + why;
}

// Applies the drive table, registry and installation root before the library loads: the
// library reads them when it starts.
std::optional<std::string> prepareEnvironment(const Options& options) {
    // A table from the command line or from KV_DRIVES is refused the same way, saying why: a
    // bad one must not leave files mapped somewhere the user did not mean.
    const char* fromEnvironment = std::getenv("KV_DRIVES");
    if (options.drives || fromEnvironment != nullptr) {
        const std::string table = options.drives ? *options.drives : fromEnvironment;
        const std::string source = options.drives ? "--drives" : "KV_DRIVES";
        if (const std::optional<std::string> why = kvwin32::driveTableError(table)) {
            return "bad drive table \"" + table + "\" (" + source + "): " + *why;
        }
        if (options.drives) {
            // --drives wins over KV_DRIVES, which the platform must not read (and warn about).
            ::unsetenv("KV_DRIVES");
            kvwin32::setDriveTable(*options.drives);
        }
    }
    // Every file of this machine keeps a Windows name: a table that leaves "/" uncovered gets
    // the last free letter for it, so that the library still knows
    // where its own file, its help file and its catalogs are.
    if (!kvwin32::windowsFromHost("/")) {
        const std::string table = kvwin32::driveTable();
        for (char letter = 'Z'; letter >= 'D'; --letter) {
            const std::string drive = std::string(1, letter) + ":=";
            if (table.find(drive) == std::string::npos &&
                table.find(std::string(1, static_cast<char>(letter + 32)) + ":=") ==
                    std::string::npos) {
                kvwin32::setDriveTable(table + ";" + drive + "/");
                break;
            }
        }
    }
    // KV_REGISTRY is the default registry file: kvhost loads it itself, before the platform
    // would, so that a file that cannot be read is refused as --registry's is.
    std::optional<std::string> registry = options.registry;
    if (const char* fromEnvironment = std::getenv("KV_REGISTRY")) {
        if (!registry && *fromEnvironment != '\0') {
            registry = fromEnvironment;
        }
        ::unsetenv("KV_REGISTRY");
    }
    if (registry) {
        const kvwin32::RegFileLoad load = kvwin32::loadRegistryFile(*registry);
        if (load.error != ERROR_SUCCESS) {
            return registryFailure(*registry, load);
        }
        for (const auto& d : load.diagnostics) {
            std::cerr << "kvhost: " << *registry << ":" << d.line << ": " << d.message
                      << " (line skipped)\n";
        }
    }
    if (options.root) {
        std::string root = *options.root;
        // A Linux folder is seen through the drive table, as every host path is.
        if (root.starts_with("/")) {
            const std::optional<std::string> windows = kvwin32::windowsFromHost(root);
            if (!windows) {
                return "the installation root " + root + " is on no drive";
            }
            root = *windows;
        }
        SetEnvironmentVariableA("TDSROOT", root.c_str());
    }
    return std::nullopt;
}

}  // namespace

int main(int argc, char** argv) {
    Options options;
    if (const std::optional<std::string> error = parseOptions(argc, argv, options)) {
        return usageError(*error);
    }
    if (options.help) {
        std::cout << kUsage;
        return 0;
    }
    // The profile is written after the transcript: a reader of the transcript that stops
    // early (kvhost ... | head -1) must not take the profile with it. Writes to a closed
    // pipe fail with EPIPE instead, and the transcript just stops.
    std::signal(SIGPIPE, SIG_IGN);
    if (const std::optional<std::string> error = prepareEnvironment(options)) {
        // The usage text would bury the reason.
        std::cerr << "kvhost: " << *error << '\n';
        return 2;
    }
    const std::string libraryPath = options.library.value_or(kvhost::defaultLibraryPath());
    if (options.version) {
        std::cout << "kvhost 17.0.0\n";
        kvhost::Result<kvhost::SheetLibrary> library = kvhost::SheetLibrary::load(libraryPath);
        if (!library) {
            std::cerr << "kvhost: " << library.error() << '\n';
            return 2;
        }
        char text[SETTINGS_VERSION_BUFFER_SIZE] = {};
        library.value().exports().getModuleVersionInfo(text);
        std::cout << "settings library " << text << '\n';
        return 0;
    }

    kvhost::Result<kvhost::ProfileDocument> loaded = kvhost::ProfileDocument::load(options.profile);
    if (!loaded) {
        std::cerr << "kvhost: " << loaded.error() << '\n';
        return 2;
    }
    kvhost::ProfileDocument doc = std::move(loaded).value();

    std::optional<std::string> scriptText;
    if (options.script) {
        kvhost::Result<std::string> read = kvhost::readInputFile(*options.script);
        if (!read) {
            std::cerr << "kvhost: script: " << read.error() << '\n';
            return 2;
        }
        scriptText = std::move(read).value();
    }

    kvhost::Result<kvhost::SheetLibrary> library = kvhost::SheetLibrary::load(libraryPath);
    if (!library) {
        std::cerr << "kvhost: " << library.error() << '\n';
        return 2;
    }

    // The person's screen (--window): the script, when given, runs first.
    std::unique_ptr<kvhost::LiveScreen> screen;
    if (options.window) {
        kvhost::Result<std::unique_ptr<kvhost::LiveScreen>> opened = kvhost::LiveScreen::open();
        if (!opened) {
            std::cerr << "kvhost: " << opened.error() << '\n';
            return 2;
        }
        screen = std::move(opened).value();
    }

    int status = 0;
    {
        const bool console = !scriptText && !screen && isatty(STDIN_FILENO) != 0;
        kvhost::ScriptRunner runner(library.value().exports(), doc, std::cout, std::cerr, console);
        runner.setLiveScreen(screen.get());
        if (screen && !scriptText) {
            kvhost::ScriptSource source("");
            status = runner.run(source);
        } else if (scriptText) {
            kvhost::ScriptSource source(*scriptText);
            status = runner.run(source);
        } else if (console) {
            kvhost::LineEditorSource source;
            status = runner.run(source);
        } else {
            kvhost::Result<std::string> text = readStandardInput();
            if (!text) {
                std::cerr << "kvhost: " << text.error() << '\n';
                return 2;
            }
            kvhost::ScriptSource source(text.value());
            status = runner.run(source);
        }
    }

    if (screen && std::getenv("KV_WINDOW_STATS") != nullptr) {
        std::cerr << "kvhost: " << screen->frames() << " frames, "
                  << screen->meanFrameMilliseconds() << " ms a frame ("
                  << screen->meanFrameCpuMilliseconds() << " ms of processor time)\n";
    }
    screen.reset();

    if (options.out) {
        if (kvhost::Status saved = doc.save(*options.out); !saved) {
            std::cerr << "kvhost: " << saved.error() << '\n';
            return 2;
        }
    } else {
        std::cout << kvhost::jsonForTerminal(doc.dump()) << '\n';
    }
    return status;
}
