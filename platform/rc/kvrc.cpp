// kvrc: compiles a resource script into a C++ source file that carries its resources.
//
//   kvrc [-I folder]... -o output.cpp [--depfile output.d] script.rc
//
// Errors go to stderr as "file(line): error: reason" and leave no output behind.
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

#include <unistd.h>

#include "Compiler.h"
#include "SourceWriter.h"

namespace {

int usage() {
    std::cerr << "usage: kvrc [-I folder]... -o output.cpp [--depfile output.d] script.rc\n";
    return 2;
}

// Writes a file whole or not at all: a temporary beside it, then a rename.
bool writeFile(const std::string& path, const std::string& text) {
    const std::string temporary = path + ".tmp" + std::to_string(::getpid());
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out << text;
        out.close();
        if (!out) {
            std::remove(temporary.c_str());
            return false;
        }
    }
    std::error_code ec;
    std::filesystem::rename(temporary, path, ec);
    if (ec)
        std::remove(temporary.c_str());
    return !ec;
}

}  // namespace

int main(int argc, char** argv) {
    kvrc::CompileOptions options;
    std::string output, depfile, script;
    for (int i = 1; i < argc; ++i) {
        std::string arg = argv[i];
        auto value = [&](std::string& into) {
            if (i + 1 >= argc)
                return false;
            into = argv[++i];
            return true;
        };
        if (arg == "-I") {
            std::string dir;
            if (!value(dir))
                return usage();
            options.includeDirs.push_back(dir);
        } else if (arg.starts_with("-I")) {
            options.includeDirs.push_back(arg.substr(2));
        } else if (arg == "-o") {
            if (!value(output))
                return usage();
        } else if (arg == "--depfile") {
            if (!value(depfile))
                return usage();
        } else if (arg.starts_with("-") || !script.empty()) {
            return usage();
        } else {
            script = arg;
        }
    }
    if (script.empty() || output.empty())
        return usage();

    try {
        kvrc::Script compiled = kvrc::compileFile(script, options);
        std::string name = std::filesystem::path(script).filename().string();
        if (!writeFile(output, kvrc::writeSource(compiled, name))) {
            std::cerr << output << ": error: cannot write the output file\n";
            return 1;
        }
        if (!depfile.empty() && !writeFile(depfile, kvrc::writeDependencies(compiled, output))) {
            std::cerr << depfile << ": error: cannot write the dependency file\n";
            return 1;
        }
    } catch (const kvrc::RcError& e) {
        std::cerr << e.what() << "\n";
        return 1;
    } catch (const std::exception& e) {
        std::cerr << script << ": error: " << e.what() << "\n";
        return 1;
    }
    return 0;
}
