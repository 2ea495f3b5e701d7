// Internal: the INI files this process has parsed, kept so that repeated reads of an unchanged
// file do not read and parse it again. An entry is trusted only while the file's identity
// (device, inode, size, modification and change times) is the one it was read with, and only
// once that identity is settled (see stampSettled in hostpath.h): until then each use reads the
// file again and compares its bytes, so that a rewrite within the resolution of the times,
// keeping the size, is still seen.
#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "internal/profile_document.h"
#include "internal/profile_file.h"
#include "kvwin32/windef.h"

namespace kvwin32::internal {

class ProfileCache {
  public:
    // The process's cache, shared by every thread.
    static ProfileCache& instance();

    ProfileCache() = default;
    ProfileCache(const ProfileCache&) = delete;
    ProfileCache& operator=(const ProfileCache&) = delete;

    // The parsed file at a host path, read again only when its identity changed or is not
    // settled; null with the Win32 error in error when the file cannot be read.
    std::shared_ptr<const ProfileDocument> load(const std::string& hostPath, DWORD& error);
    // The same for a caller that has just taken the file's identity (a stat of hostPath).
    std::shared_ptr<const ProfileDocument> load(const std::string& hostPath,
                                                const FileIdentity& current, DWORD& error);

    // Drops what is known about a file (after this process rewrote it).
    void forget(const std::string& hostPath);

    // Held across a read-modify-write of a file so that two threads of this process writing
    // the same file do not lose each other's change.
    std::unique_lock<std::mutex> lockWrites() { return std::unique_lock(m_writeMutex); }

    // How many times a file was read from disk, and how many of those reads were parsed
    // (the others found the bytes of the cached version again).
    std::uint64_t readCount() const;
    std::uint64_t parseCount() const;

    // Files and bytes held at most; the least recently used file goes first.
    static constexpr std::size_t kMaxFiles = 16;
    static constexpr std::size_t kMaxBytes = 64u << 20;

  private:
    struct Entry {
        std::string hostPath;                             // the key
        FileIdentity identity;                            // the version that was parsed
        bool settled = false;                             // identity alone can be trusted
        std::shared_ptr<const ProfileDocument> document;  // the parsed file
        std::uint64_t lastUse = 0;                        // tick of the last lookup
    };

    void store(Entry entry);

    mutable std::mutex m_mutex;    // guards everything below
    std::vector<Entry> m_entries;  // at most kMaxFiles, kMaxBytes in all
    std::uint64_t m_tick = 0;      // lookup counter for least-recently-used eviction
    std::uint64_t m_reads = 0;     // files read from disk
    std::uint64_t m_parses = 0;    // files read and parsed
    std::mutex m_writeMutex;       // see lockWrites
};

}  // namespace kvwin32::internal
