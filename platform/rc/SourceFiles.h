// The files a compilation reads: scripts, headers, bitmaps and icons. Names are written the
// Windows way (backslashes, any case) and are looked up beside the file that names them and
// in the include folders, matching each component without regard to case as Windows would.
// Every file read is recorded as a dependency of the output.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "Diagnostic.h"

namespace kvrc {

class SourceFiles {
  public:
    // With allowFiles false every lookup fails (the compiler then sees only the text it is
    // given, as the fuzzer needs).
    SourceFiles(std::vector<std::string> includeDirs, bool allowFiles);

    // Host path of a file named in a script: beside `besideDir` first (when searchBeside),
    // then in each include folder; nullopt when none has it.
    std::optional<std::string> find(std::string_view name, const std::string& besideDir,
                                    bool searchBeside) const;
    // The bytes of a found file, recorded as a dependency. Throws RcError (at `where`) when
    // it is not a readable regular file.
    std::string read(const std::string& hostPath, const Location& where);

    const std::vector<std::string>& dependencies() const { return m_dependencies; }

  private:
    std::vector<std::string> m_includeDirs;
    bool m_allowFiles;
    std::vector<std::string> m_dependencies;
};

// The folder part of a host path ("." for a bare name).
std::string folderOf(const std::string& hostPath);

}  // namespace kvrc
