// The drive table and the current directories: how Windows paths ("C:\sim\amp.cir") map onto the
// host's file system. Not a Win32 interface; hosts and tests use it to set up and inspect the
// mapping that every file service of kvwin32 goes through.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace kvwin32 {

// Replaces the drive table with one written as "C:=/srv/sim;D:=/mnt/d" (letters in either case,
// absolute host folders, each letter once, at least one drive). Returns false and leaves the
// table alone when the text is malformed. The current directory is then derived afresh from the
// host's working directory, as at start-up, and the per-drive directories are forgotten.
bool setDriveTable(std::string_view table);

// Why setDriveTable would refuse a table ("\"C=/x\" does not start with a drive letter and
// ':'"), or nullopt when it would accept it. Hosts check KV_DRIVES with it before the platform
// first reads it, so that a bad table is refused rather than replaced by the default.
std::optional<std::string> driveTableError(std::string_view table);

// The drive table in the form setDriveTable accepts, drives in letter order.
std::string driveTable();

// Host path of the entry a Windows path names, resolved against the current directory with the
// case-insensitive lookup of the file services; nullopt (last error set) when the path names
// nothing the table covers (UNC paths, unknown drives, over-long or invalid names).
std::optional<std::string> hostFromWindows(std::string_view windowsPath);

// Windows path of a host path ("/srv/sim/a" gives "C:\a" when C: is /srv/sim); relative host
// paths are taken against the host's working directory. nullopt when no drive covers it.
std::optional<std::string> windowsFromHost(std::string_view hostPath);

// Saves the drive table and every current directory on construction and puts them back on
// destruction, so that a test or a host can change them for a while.
class PathStateSaver {
  public:
    PathStateSaver();
    ~PathStateSaver();
    PathStateSaver(const PathStateSaver&) = delete;
    PathStateSaver& operator=(const PathStateSaver&) = delete;

    struct Saved;

  private:
    std::unique_ptr<Saved> m_saved;
};

}  // namespace kvwin32

#pragma GCC visibility pop
