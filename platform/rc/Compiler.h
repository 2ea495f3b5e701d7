// The resource compiler's entry points: a script file (or text) in, its resources out.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "Script.h"

namespace kvrc {

struct CompileOptions {
    std::vector<std::string> includeDirs;  // searched after the including file's folder
    bool allowFiles = true;                // false: no #include, BITMAP or ICON file is read
};

// Compiles a script file. Throws RcError with the file and line of the first error.
Script compileFile(const std::string& hostPath, const CompileOptions& options);

// Compiles a script given as text; `name` stands for its file in messages and `folder` is
// where its quoted includes and resource files are looked up.
Script compileText(std::string_view text, const std::string& name, const std::string& folder,
                   const CompileOptions& options);

}  // namespace kvrc
