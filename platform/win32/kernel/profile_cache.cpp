// The process's cache of parsed INI files (see profile_cache.h).
#include "internal/profile_cache.h"

#include <algorithm>

#include "internal/hostpath.h"
#include "kvwin32/winerror.h"

namespace kvwin32::internal {

ProfileCache& ProfileCache::instance() {
    static ProfileCache cache;
    return cache;
}

std::shared_ptr<const ProfileDocument> ProfileCache::load(const std::string& hostPath,
                                                          DWORD& error) {
    FileIdentity current;
    error = identifyFile(hostPath, current);
    if (error != ERROR_SUCCESS) {
        forget(hostPath);
        return nullptr;
    }
    return load(hostPath, current, error);
}

std::shared_ptr<const ProfileDocument> ProfileCache::load(const std::string& hostPath,
                                                          const FileIdentity& current,
                                                          DWORD& error) {
    std::shared_ptr<const ProfileDocument> previous;
    {
        std::lock_guard lock(m_mutex);
        auto it = std::find_if(m_entries.begin(), m_entries.end(),
                               [&](const Entry& e) { return e.hostPath == hostPath; });
        if (it != m_entries.end()) {
            if (it->identity == current) {
                it->lastUse = ++m_tick;
                if (it->settled) {
                    error = ERROR_SUCCESS;
                    return it->document;
                }
                // Not settled: the bytes decide, and the parsed copy serves when they match.
                previous = it->document;
            } else {
                m_entries.erase(it);
            }
        }
    }

    // Read and parse outside the lock: other files stay available meanwhile. The identity
    // stored is the one of the file actually read, so a change during the read is noticed by
    // the next lookup; the clock is read first, so that settling is judged conservatively.
    const std::int64_t seen = fileClockNow();
    std::string bytes;
    FileIdentity identity;
    error = readWholeFile(hostPath, bytes, identity);
    if (error != ERROR_SUCCESS) {
        forget(hostPath);
        return nullptr;
    }
    const bool settled = stampSettled(identity.changedNs, seen);
    const bool same = previous && previous->bytes() == bytes;
    auto document = same ? previous : std::make_shared<const ProfileDocument>(std::move(bytes));
    {
        std::lock_guard lock(m_mutex);
        ++m_reads;
        if (!same)
            ++m_parses;
    }
    store({hostPath, identity, settled, document, 0});
    return document;
}

void ProfileCache::store(Entry entry) {
    std::lock_guard lock(m_mutex);
    const std::size_t bytes = entry.document->bytes().size();
    if (bytes > kMaxBytes)
        return;
    std::erase_if(m_entries, [&](const Entry& e) { return e.hostPath == entry.hostPath; });
    std::size_t total = bytes;
    for (const Entry& e : m_entries)
        total += e.document->bytes().size();
    while (!m_entries.empty() && (m_entries.size() >= kMaxFiles || total > kMaxBytes)) {
        auto oldest =
            std::min_element(m_entries.begin(), m_entries.end(),
                             [](const Entry& a, const Entry& b) { return a.lastUse < b.lastUse; });
        total -= oldest->document->bytes().size();
        m_entries.erase(oldest);
    }
    entry.lastUse = ++m_tick;
    m_entries.push_back(std::move(entry));
}

void ProfileCache::forget(const std::string& hostPath) {
    std::lock_guard lock(m_mutex);
    std::erase_if(m_entries, [&](const Entry& e) { return e.hostPath == hostPath; });
}

std::uint64_t ProfileCache::readCount() const {
    std::lock_guard lock(m_mutex);
    return m_reads;
}

std::uint64_t ProfileCache::parseCount() const {
    std::lock_guard lock(m_mutex);
    return m_parses;
}

}  // namespace kvwin32::internal
