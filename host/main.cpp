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

#include <cstdlib>
#include <cstring>
#include <memory>
#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include <windows.h>

#include "Ansi.h"
#include "CommandSource.h"
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

std::optional<std::string> readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        return std::nullopt;
    }
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Applies the drive table, registry and installation root before the library loads: the
// library reads them when it starts.
std::optional<std::string> prepareEnvironment(const Options& options) {
    if (options.drives && !kvwin32::setDriveTable(*options.drives)) {
        return "bad drive table " + *options.drives;
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
    if (options.registry) {
        const kvwin32::RegFileLoad load = kvwin32::loadRegistryFile(*options.registry);
        if (load.error != ERROR_SUCCESS) {
            return "cannot load the registry file " + *options.registry;
        }
        for (const auto& d : load.diagnostics) {
            std::cerr << "kvhost: " << *options.registry << ":" << d.line << ": " << d.message
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
    if (const std::optional<std::string> error = prepareEnvironment(options)) {
        return usageError(*error);
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
        std::cerr << "kvhost: " << options.profile << ": " << loaded.error() << '\n';
        return 2;
    }
    kvhost::ProfileDocument doc = std::move(loaded).value();

    std::optional<std::string> scriptText;
    if (options.script) {
        scriptText = readFile(*options.script);
        if (!scriptText) {
            std::cerr << "kvhost: cannot read the script " << *options.script << '\n';
            return 2;
        }
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
            std::ostringstream text;
            text << std::cin.rdbuf();
            kvhost::ScriptSource source(text.str());
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
