// The library's link to the message catalogs: a process-wide manager that knows which catalog
// files make up each message module of the product family and registers a module's catalogs
// with the message library the first time a message of that module is asked for.
#pragma once

#include <functional>
#include <map>
#include <set>
#include <string>
#include <string_view>
#include <vector>

class kvErrorManager {
  public:
    // Receives the text of every message shown in a box when the session-log switch is on.
    using SessionLogSink = std::function<void(std::string_view text)>;

    // The manager, built on first use (message library prepared, module table filled) and
    // never destroyed.
    static kvErrorManager& instance();

    virtual ~kvErrorManager();
    // Registers every catalog of the module once per process; true only if each registration
    // succeeded this time or the module was already attempted. A module outside the table has
    // no catalogs and answers true. A null name counts as the empty name.
    virtual bool ensureModule(const char* module);
    // Registers one catalog file with the module; on failure shows the message library's
    // reasons in a plain box and answers false.
    virtual bool registerCatalog(const char* module, const char* file);

    kvErrorManager(const kvErrorManager&) = delete;
    kvErrorManager& operator=(const kvErrorManager&) = delete;

    // ---- Extensions for hosts and tests ------------------------------------------------
    // The catalog files of a module in registration order (empty for a module not in the
    // table).
    const std::vector<std::string>& catalogsOf(std::string_view module) const;
    // Number of modules in the table.
    std::size_t moduleCount() const { return m_catalogs.size(); }
    // True once ensureModule has been called for the module.
    bool isAttempted(std::string_view module) const;
    // Forgets which modules were attempted, so the next lookup registers again (tests that
    // also reset the message library).
    void forgetAttemptedModules() { m_registered.clear(); }
    // Installs the host's session-log sink (empty: none); returns the previous one. The
    // library itself registers none.
    SessionLogSink setSessionLogSink(SessionLogSink sink);
    const SessionLogSink& sessionLogSink() const { return m_sessionLog; }

  private:
    kvErrorManager();

    std::set<std::string, std::less<>> m_registered;  // modules already attempted
    std::map<std::string, std::vector<std::string>, std::less<>>
        m_catalogs;               // module -> its catalog files, in order
    SessionLogSink m_sessionLog;  // host's session log; empty when none is registered
};
