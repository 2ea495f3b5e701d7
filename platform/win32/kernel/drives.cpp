// The drive table and the current directories, and the mapping of Windows paths onto host paths
// they define: the one piece of process-wide path state, kept in a single object.
#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <mutex>
#include <string>
#include <unordered_map>
#include <vector>

#include <dirent.h>
#include <sys/stat.h>
#include <unistd.h>

#include "internal/hostpath.h"
#include "kvwin32/drives.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace kvwin32 {

namespace {

using internal::CurrentDirectories;

constexpr std::size_t kDriveCount = 26;

// Host folder of each drive letter ("A" first); an empty entry is a drive that does not exist.
using DriveRoots = std::array<std::string, kDriveCount>;

// Everything Windows keeps per process about paths: the drives and the current directories.
struct PathState {
    DriveRoots roots;
    CurrentDirectories dirs;
};

std::optional<std::size_t> driveIndex(char letter) {
    if (letter >= 'a' && letter <= 'z')
        return static_cast<std::size_t>(letter - 'a');
    if (letter >= 'A' && letter <= 'Z')
        return static_cast<std::size_t>(letter - 'A');
    return std::nullopt;
}

char driveLetter(std::size_t index) {
    return static_cast<char>('A' + index);
}

char asciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

std::vector<std::string> splitHost(std::string_view path) {
    std::vector<std::string> parts;
    std::size_t i = 0;
    while (i < path.size()) {
        std::size_t j = path.find('/', i);
        if (j == std::string_view::npos)
            j = path.size();
        if (j > i)
            parts.emplace_back(path.substr(i, j - i));
        i = j + 1;
    }
    return parts;
}

// Components of an absolute host path with "." and ".." resolved as text.
std::vector<std::string> lexicalComponents(std::string_view absolute) {
    std::vector<std::string> out;
    for (auto& part : splitHost(absolute)) {
        if (part == ".")
            continue;
        if (part == "..") {
            if (!out.empty())
                out.pop_back();
            continue;
        }
        out.push_back(std::move(part));
    }
    return out;
}

std::string joinHost(const std::vector<std::string>& parts, std::size_t count) {
    if (count == 0)
        return "/";
    std::string out;
    for (std::size_t i = 0; i < count; ++i) {
        out += '/';
        out += parts[i];
    }
    return out;
}

std::string hostWorkingDirectory() {
    std::vector<char> buffer(4096);
    while (!getcwd(buffer.data(), buffer.size())) {
        if (errno != ERANGE || buffer.size() > (1u << 20))
            return "/";
        buffer.resize(buffer.size() * 2);
    }
    return buffer.data();
}

// Parses "C:=/srv/sim;D:=/mnt/d". Empty entries (a trailing ";") are allowed; anything else
// that is not LETTER ":=" absolute-folder, a letter given twice, or no drive at all is refused,
// and `why` says which entry and what is wrong with it.
std::optional<DriveRoots> parseDriveTable(std::string_view text, std::string* why = nullptr) {
    auto refuse = [&](std::string reason) -> std::optional<DriveRoots> {
        if (why)
            *why = std::move(reason);
        return std::nullopt;
    };
    DriveRoots roots;
    bool any = false;
    std::size_t i = 0;
    while (i <= text.size()) {
        std::size_t j = text.find(';', i);
        if (j == std::string_view::npos)
            j = text.size();
        std::string_view entry = text.substr(i, j - i);
        i = j + 1;
        if (entry.empty())
            continue;
        const std::string quoted = "\"" + std::string(entry) + "\"";
        if (entry.size() < 2 || entry[1] != ':' || !driveIndex(entry[0]))
            return refuse(quoted + " does not start with a drive letter and ':'");
        if (entry.size() < 3 || entry[2] != '=')
            return refuse(quoted + " has no '=' after the drive");
        if (entry.size() < 4 || entry[3] != '/')
            return refuse(quoted +
                          " does not map the drive to an absolute folder (one starting "
                          "with /)");
        auto index = driveIndex(entry[0]);
        if (!roots[*index].empty())
            return refuse(quoted + " maps drive " + std::string(1, driveLetter(*index)) +
                          ": a second time");
        auto parts = lexicalComponents(entry.substr(3));
        roots[*index] = joinHost(parts, parts.size());
        any = true;
    }
    if (!any)
        return refuse("it names no drive");
    return roots;
}

// The drive whose folder holds a host path, preferring the deepest folder (then the lowest
// letter), and the Windows path there.
std::optional<std::string> windowsPathIn(const DriveRoots& roots, std::string_view host) {
    std::string absolute(host);
    if (absolute.empty() || absolute[0] != '/')
        absolute = hostWorkingDirectory() + "/" + absolute;
    auto parts = lexicalComponents(absolute);
    std::optional<std::size_t> best;
    std::size_t bestDepth = 0;
    for (std::size_t d = 0; d < kDriveCount; ++d) {
        if (roots[d].empty())
            continue;
        auto rootParts = splitHost(roots[d]);
        if (rootParts.size() > parts.size())
            continue;
        if (!std::equal(rootParts.begin(), rootParts.end(), parts.begin()))
            continue;
        if (!best || rootParts.size() > bestDepth) {
            best = d;
            bestDepth = rootParts.size();
        }
    }
    if (!best)
        return std::nullopt;
    std::string out{driveLetter(*best), ':', '\\'};
    for (std::size_t k = bestDepth; k < parts.size(); ++k) {
        if (k > bestDepth)
            out += '\\';
        out += parts[k];
    }
    return out;
}

// The current directory a process starts with: its working directory seen through the table.
// When no drive covers the working directory, Windows has no equivalent; we start at the root
// of C: (or of the lowest drive when there is no C:) so that relative names still resolve
// somewhere the table allows.
CurrentDirectories initialDirectories(const DriveRoots& roots) {
    CurrentDirectories dirs;
    if (auto w = windowsPathIn(roots, hostWorkingDirectory())) {
        dirs.current = *w;
    } else {
        std::size_t d = roots[2].empty() ? 0 : 2;
        while (d < kDriveCount && roots[d].empty())
            ++d;
        dirs.current = std::string{driveLetter(d), ':', '\\'};
    }
    dirs.perDrive[static_cast<std::size_t>(dirs.current[0] - 'A')] = dirs.current;
    return dirs;
}

PathState initialState() {
    PathState state;
    const char* text = std::getenv("KV_DRIVES");
    std::optional<DriveRoots> roots;
    if (text) {
        std::string why;
        roots = parseDriveTable(text, &why);
        // A bad table must not silently map files somewhere unexpected: say so, then fall
        // back to the default.
        if (!roots)
            std::fprintf(stderr, "kvwin32: ignoring malformed KV_DRIVES \"%s\": %s\n", text,
                         why.c_str());
    }
    if (roots) {
        state.roots = std::move(*roots);
    } else {
        state.roots[2].assign(1, '/');  // C: is the host's root
    }
    state.dirs = initialDirectories(state.roots);
    return state;
}

// Hash and equality that let a map keyed by std::string be searched with a string_view.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
        return std::hash<std::string_view>{}(text);
    }
};
using TextMap = std::unordered_map<std::string, std::string, TextHash, std::equal_to<>>;

// The process's path state. Windows has exactly one set of drives and one current directory
// per process, so this is the one place such state lives.
//
// It also remembers Windows names whose every component was found exactly as written, with
// the host path they gave. Such an answer holds as long as the host path still exists: an
// entry that exists has every folder above it, under the same names. Any change of the
// drives or of a current directory forgets them all (a relative name means something else).
class PathStateStore {
  public:
    static PathStateStore& instance() {
        static PathStateStore store;
        return store;
    }

    PathState get() {
        std::lock_guard lock(m_mutex);
        return m_state;
    }
    void set(PathState state) {
        std::lock_guard lock(m_mutex);
        m_state = std::move(state);
        changed();
    }
    template <typename F>
    auto with(F f) {
        std::lock_guard lock(m_mutex);
        changed();
        return f(m_state);
    }
    // The host folder of a drive ('A' is 0); empty when there is no such drive.
    std::string root(std::size_t drive) {
        std::lock_guard lock(m_mutex);
        return m_state.roots[drive];
    }

    // The host path a name gave when all its components were found exactly, or nullopt;
    // generation is set to the state's version the answer belongs to.
    std::optional<std::string> exactName(std::string_view name, std::uint64_t& generation) {
        std::lock_guard lock(m_mutex);
        generation = m_generation;
        auto it = m_exactNames.find(name);
        if (it == m_exactNames.end())
            return std::nullopt;
        return it->second;
    }
    // Remembers such an answer, unless the state changed since generation was read.
    void rememberExactName(std::string_view name, const std::string& host,
                           std::uint64_t generation) {
        std::lock_guard lock(m_mutex);
        if (generation != m_generation)
            return;
        // A process names few files over and over; a bound keeps one that walks a whole
        // tree from growing the map without end.
        if (m_exactNames.size() >= kMaxExactNames)
            m_exactNames.clear();
        m_exactNames.insert_or_assign(std::string(name), host);
    }
    void forgetExactName(std::string_view name) {
        std::lock_guard lock(m_mutex);
        if (auto it = m_exactNames.find(name); it != m_exactNames.end())
            m_exactNames.erase(it);
    }

  private:
    static constexpr std::size_t kMaxExactNames = 1024;

    PathStateStore() : m_state(initialState()) {}

    void changed() {
        ++m_generation;
        m_exactNames.clear();
    }

    std::mutex m_mutex;
    PathState m_state;
    std::uint64_t m_generation = 0;  // counts changes of m_state
    TextMap m_exactNames;            // Windows name as given -> host path
};

bool isInvalidNameChar(char c) {
    return static_cast<unsigned char>(c) < 0x20 || c == '<' || c == '>' || c == ':' || c == '"' ||
           c == '|' || c == '?' || c == '*';
}

std::string joinChild(const std::string& folder, std::string_view name) {
    std::string out = folder;
    if (out.empty() || out.back() != '/')
        out += '/';
    out += name;
    return out;
}

std::string foldedName(std::string_view name) {
    std::string out(name);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

std::atomic<std::uint64_t> g_folderScans{0};
std::atomic<std::int64_t (*)()> g_clockForTesting{nullptr};

// The folders whose entries were listed for case-insensitive lookups: each listing maps
// every name, folded to lower case, to the entry that answers it. A listing is used only while
// the folder's stamp (device, inode, modification and change times) is the one it was listed
// with and that stamp is settled (see stampSettled): a folder changed within the last moments
// could change again without its stamp moving, so it is listed anew each time.
class FolderListings {
  public:
    static FolderListings& instance() {
        static FolderListings listings;
        return listings;
    }

    // The entry of a folder whose name matches ignoring ASCII case: with several, the first
    // in byte order, so that the choice never depends on the order the folder lists them in.
    std::optional<std::string> find(const std::string& folder, std::string_view name) {
        struct stat st {};
        if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode))
            return std::nullopt;
        const Stamp stamp = stampOf(st);
        const std::string folded = foldedName(name);
        {
            std::lock_guard lock(m_mutex);
            auto it = m_listings.find(folder);
            if (it != m_listings.end() && it->second.settled && it->second.stamp == stamp) {
                auto match = it->second.byFolded.find(folded);
                if (match == it->second.byFolded.end())
                    return std::nullopt;
                return match->second;
            }
        }

        // The clock is read before the folder: a change made after this moment gets a later
        // change time than the one this listing is kept with.
        const std::int64_t seen = internal::fileClockNow();
        DIR* dir = opendir(folder.c_str());
        if (!dir)
            return std::nullopt;
        g_folderScans.fetch_add(1, std::memory_order_relaxed);
        Listing listing;
        listing.stamp = stamp;
        listing.settled = internal::stampSettled(stamp.changedNs, seen);
        std::size_t count = 0;
        while (dirent* entry = readdir(dir)) {
            std::string_view candidate = entry->d_name;
            if (candidate == "." || candidate == "..")
                continue;
            ++count;
            auto [it, added] = listing.byFolded.try_emplace(foldedName(candidate), candidate);
            if (!added && candidate < it->second)
                it->second = candidate;
        }
        closedir(dir);

        std::optional<std::string> found;
        if (auto match = listing.byFolded.find(folded); match != listing.byFolded.end())
            found = match->second;
        // Huge folders are not kept: their listings would crowd out everything else.
        if (listing.settled && count <= kMaxEntries) {
            std::lock_guard lock(m_mutex);
            if (m_listings.size() >= kMaxFolders && !m_listings.count(folder))
                m_listings.clear();
            m_listings.insert_or_assign(folder, std::move(listing));
        }
        return found;
    }

  private:
    static constexpr std::size_t kMaxFolders = 64;
    static constexpr std::size_t kMaxEntries = 16384;

    struct Stamp {
        std::uint64_t device = 0;
        std::uint64_t inode = 0;
        std::int64_t modifiedNs = 0;
        std::int64_t changedNs = 0;
        bool operator==(const Stamp&) const = default;
    };
    struct Listing {
        Stamp stamp;
        bool settled = false;
        TextMap byFolded;  // folded name -> the entry it finds
    };

    static Stamp stampOf(const struct stat& st) {
        return {static_cast<std::uint64_t>(st.st_dev), static_cast<std::uint64_t>(st.st_ino),
                static_cast<std::int64_t>(st.st_mtim.tv_sec) * 1'000'000'000 + st.st_mtim.tv_nsec,
                static_cast<std::int64_t>(st.st_ctim.tv_sec) * 1'000'000'000 + st.st_ctim.tv_nsec};
    }

    std::mutex m_mutex;
    std::unordered_map<std::string, Listing, TextHash, std::equal_to<>> m_listings;
};

// Host path of a Windows name, component by component; exact tells whether every component
// was found as written (the answer a later call can take from the remembered names).
std::optional<std::string> resolveHostPath(std::string_view windowsPath, bool& exact) {
    exact = false;
    // The ANSI file calls convert the name into a MAX_PATH buffer first, and resolve it into
    // one: either overflowing fails with ERROR_FILENAME_EXCED_RANGE.
    if (windowsPath.size() > internal::kMaxPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return std::nullopt;
    }
    if (windowsPath.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }
    auto full = internal::fullWindowsPath(windowsPath);
    if (!full)
        return std::nullopt;
    if (full->size() >= internal::kMaxPath) {
        SetLastError(ERROR_FILENAME_EXCED_RANGE);
        return std::nullopt;
    }
    // UNC and device names ("\\server\share", "\\.\x") reach nothing on this system.
    if (full->size() < 3 || (*full)[1] != ':') {
        SetLastError(ERROR_BAD_NETPATH);
        return std::nullopt;
    }
    auto drive = driveIndex((*full)[0]);
    std::string root = drive ? PathStateStore::instance().root(*drive) : std::string();
    if (root.empty()) {
        SetLastError(ERROR_PATH_NOT_FOUND);
        return std::nullopt;
    }

    std::string_view rest = std::string_view(*full).substr(3);
    std::string host = root;
    bool folderExists = true;
    bool allExact = true;
    std::size_t i = 0;
    while (i < rest.size()) {
        std::size_t j = rest.find('\\', i);
        if (j == std::string_view::npos)
            j = rest.size();
        std::string_view name = rest.substr(i, j - i);
        i = j + 1;
        if (std::any_of(name.begin(), name.end(), isInvalidNameChar)) {
            SetLastError(ERROR_INVALID_NAME);
            return std::nullopt;
        }
        std::string exactPath = joinChild(host, name);
        struct stat st;
        if (!folderExists || lstat(exactPath.c_str(), &st) == 0) {
            host = std::move(exactPath);
        } else if (auto match = FolderListings::instance().find(host, name)) {
            host = joinChild(host, *match);
            allExact = false;
        } else {
            // Missing components keep the case they were given, so new files keep it too.
            folderExists = false;
            allExact = false;
            host = std::move(exactPath);
        }
    }
    // "C:\file.txt\" names a folder: keep the separator so that a file does not answer.
    if (!rest.empty() && rest.back() == '\\')
        host += '/';
    exact = allExact;
    return host;
}

}  // namespace

struct PathStateSaver::Saved {
    PathState state;
};

PathStateSaver::PathStateSaver()
    : m_saved(std::make_unique<Saved>(Saved{PathStateStore::instance().get()})) {}

PathStateSaver::~PathStateSaver() {
    PathStateStore::instance().set(m_saved->state);
}

std::optional<std::string> driveTableError(std::string_view table) {
    std::string why;
    if (parseDriveTable(table, &why))
        return std::nullopt;
    return why;
}

bool setDriveTable(std::string_view table) {
    auto roots = parseDriveTable(table);
    if (!roots)
        return false;
    PathState state;
    state.roots = *roots;
    state.dirs = initialDirectories(state.roots);
    PathStateStore::instance().set(std::move(state));
    return true;
}

std::string driveTable() {
    auto state = PathStateStore::instance().get();
    std::string out;
    for (std::size_t d = 0; d < kDriveCount; ++d) {
        if (state.roots[d].empty())
            continue;
        if (!out.empty())
            out += ';';
        out += driveLetter(d);
        out += ":=";
        out += state.roots[d];
    }
    return out;
}

std::optional<std::string> hostFromWindows(std::string_view windowsPath) {
    return internal::hostPath(windowsPath);
}

std::optional<std::string> windowsFromHost(std::string_view hostPath) {
    return internal::windowsPath(hostPath);
}

namespace internal {

CurrentDirectories currentDirectories() {
    return PathStateStore::instance().get().dirs;
}

void setCurrentDirectory(const std::string& fullPath) {
    PathStateStore::instance().with([&](PathState& state) {
        state.dirs.current = fullPath;
        if (auto d = driveIndex(fullPath.empty() ? '?' : fullPath[0]))
            state.dirs.perDrive[*d] = fullPath;
    });
}

std::optional<std::string> hostPath(std::string_view windowsPath) {
    PathStateStore& store = PathStateStore::instance();
    std::uint64_t generation = 0;
    if (auto known = store.exactName(windowsPath, generation)) {
        struct stat st;
        if (lstat(known->c_str(), &st) == 0)
            return known;
        store.forgetExactName(windowsPath);
    }
    bool exact = false;
    auto host = resolveHostPath(windowsPath, exact);
    if (host && exact)
        store.rememberExactName(windowsPath, *host, generation);
    return host;
}

std::optional<std::string> hostPathAndStat(std::string_view windowsPath, struct stat& st,
                                           int& statError) {
    PathStateStore& store = PathStateStore::instance();
    std::uint64_t generation = 0;
    if (auto known = store.exactName(windowsPath, generation)) {
        // What exists under the remembered path proves every component still there; what
        // does not is resolved again (a dangling link's name, say, still resolves).
        if (::stat(known->c_str(), &st) == 0) {
            statError = 0;
            return known;
        }
        store.forgetExactName(windowsPath);
    }
    bool exact = false;
    auto host = resolveHostPath(windowsPath, exact);
    if (!host)
        return std::nullopt;
    if (exact)
        store.rememberExactName(windowsPath, *host, generation);
    statError = ::stat(host->c_str(), &st) == 0 ? 0 : errno;
    return host;
}

std::uint64_t folderScanCount() {
    return g_folderScans.load(std::memory_order_relaxed);
}

std::int64_t fileClockNow() {
    if (auto clock = g_clockForTesting.load(std::memory_order_relaxed))
        return clock();
    timespec now{};
    clock_gettime(CLOCK_REALTIME, &now);
    return static_cast<std::int64_t>(now.tv_sec) * 1'000'000'000 + now.tv_nsec;
}

void setFileClockForTesting(std::int64_t (*clock)()) {
    g_clockForTesting.store(clock, std::memory_order_relaxed);
}

std::optional<std::string> windowsPath(std::string_view hostPath) {
    return windowsPathIn(PathStateStore::instance().get().roots, hostPath);
}

DWORD errorFromErrno(int err) {
    switch (err) {
        case ENOENT:
            return ERROR_FILE_NOT_FOUND;
        case ENOTDIR:
            return ERROR_PATH_NOT_FOUND;
        case EACCES:
        case EPERM:
        case EROFS:
        case EISDIR:
            return ERROR_ACCESS_DENIED;
        case EEXIST:
            return ERROR_ALREADY_EXISTS;
        case ENOTEMPTY:
            return ERROR_DIR_NOT_EMPTY;
        case ENAMETOOLONG:
            return ERROR_FILENAME_EXCED_RANGE;
        case ENOSPC:
        case EDQUOT:
            return ERROR_DISK_FULL;
        case EBUSY:
        case ETXTBSY:
            return ERROR_SHARING_VIOLATION;
        case ENOMEM:
            return ERROR_NOT_ENOUGH_MEMORY;
        case EXDEV:
            return ERROR_NOT_SAME_DEVICE;
        default:
            return ERROR_INVALID_PARAMETER;
    }
}

DWORD missingEntryError(const std::string& hostPath) {
    std::string path = hostPath;
    while (path.size() > 1 && path.back() == '/')
        path.pop_back();
    std::size_t slash = path.rfind('/');
    std::string folder = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
    struct stat st;
    if (stat(folder.c_str(), &st) == 0 && S_ISDIR(st.st_mode))
        return ERROR_FILE_NOT_FOUND;
    return ERROR_PATH_NOT_FOUND;
}

}  // namespace internal
}  // namespace kvwin32
