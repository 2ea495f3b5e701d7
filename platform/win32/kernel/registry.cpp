// The registry: an in-memory tree of keys and typed values below the predefined keys, filled
// at first use from the ".reg" file that KV_REGISTRY (the host's own environment) names.
// Writes change the tree in memory only: nothing is ever written back to that file, so a
// settings session cannot damage the registry the host was started with.
#include <array>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "internal/registry.h"
#include "kvwin32/registry_file.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winreg.h"

namespace kvwin32::internal {
namespace {

// ERROR_NOACCESS: what Windows reports when a data pointer is null but a size is given.
constexpr LONG kErrorNoAccess = 998;

// Names compare without regard to ASCII case; each key and value keeps the spelling it was
// created with.
std::string foldName(std::string_view name) {
    std::string key(name);
    for (char& c : key) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return key;
}

struct Value {
    std::string name;  // spelling as created
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
};

struct Key {
    std::string name;                                     // spelling as created
    std::map<std::string, std::shared_ptr<Key>> subkeys;  // by folded name
    std::map<std::string, Value> values;                  // by folded name; "" is the default
    bool deleted = false;  // removed from the tree while a handle still names it
    int depth = 0;         // levels below its predefined key
};

// A new key below `parent`.
std::shared_ptr<Key> makeSubkey(const Key& parent, std::string_view name) {
    auto key = std::make_shared<Key>();
    key->name = std::string(name);
    key->depth = parent.depth + 1;
    return key;
}

void markDeleted(Key& key) {
    key.deleted = true;
    for (auto& [name, sub] : key.subkeys)
        markDeleted(*sub);
}

// Splits "a\b\c" into its components. Windows refuses a leading backslash and empty
// components; trailing backslashes are accepted and ignored.
std::optional<std::vector<std::string_view>> splitPath(std::string_view path, LONG& error) {
    std::vector<std::string_view> parts;
    while (!path.empty() && path.back() == '\\')
        path.remove_suffix(1);
    if (path.empty())
        return parts;
    std::size_t start = 0;
    while (true) {
        std::size_t end = path.find('\\', start);
        std::string_view part = path.substr(start, end - start);
        if (part.empty()) {
            error = ERROR_BAD_PATHNAME;
            return std::nullopt;
        }
        parts.push_back(part);
        if (end == std::string_view::npos)
            break;
        start = end + 1;
    }
    return parts;
}

// Index of a predefined key (HKEY_CLASSES_ROOT ... HKEY_CURRENT_CONFIG) in the root table.
constexpr ULONG_PTR kPredefinedBase = 0x80000000u;
constexpr std::size_t kPredefinedCount = 6;

std::optional<std::size_t> predefinedIndex(HKEY key) {
    auto value = reinterpret_cast<ULONG_PTR>(key);
    if (value < kPredefinedBase || value >= kPredefinedBase + kPredefinedCount)
        return std::nullopt;
    std::size_t index = value - kPredefinedBase;
    if (index == 4)
        return std::nullopt;  // HKEY_PERFORMANCE_DATA is not a tree of keys
    return index;
}

// The process's registry: the roots, the overrides RegOverridePredefKey installs and the
// table of open handles. Handles are numbers into the table, never addresses of nodes, and
// are not reused, so a stale handle is recognised rather than followed.
class Registry {
  public:
    static Registry& instance() {
        static Registry registry;
        std::call_once(registry.m_loadOnce, [] { registry.loadFromEnvironment(); });
        return registry;
    }

    LONG open(HKEY key, LPCSTR subKey, bool create, PHKEY result, LPDWORD disposition) {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Key> node;
        if (LONG error = resolve(key, node))
            return error;
        LONG error = ERROR_SUCCESS;
        auto parts = splitPath(subKey ? subKey : "", error);
        if (!parts)
            return error;
        bool created = false;
        for (std::string_view part : *parts) {
            auto& slot = node->subkeys[foldName(part)];
            if (!slot) {
                if (!create || node->depth >= kMaxKeyDepth) {
                    node->subkeys.erase(foldName(part));
                    return create ? ERROR_INVALID_PARAMETER : ERROR_FILE_NOT_FOUND;
                }
                slot = makeSubkey(*node, part);
                created = true;
            }
            node = slot;
        }
        if (disposition)
            *disposition = created ? REG_CREATED_NEW_KEY : REG_OPENED_EXISTING_KEY;
        *result = addHandle(std::move(node));
        return ERROR_SUCCESS;
    }

    LONG query(HKEY key, LPCSTR valueName, LPDWORD type, LPBYTE data, LPDWORD dataSize) {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Key> node;
        if (LONG error = resolve(key, node))
            return error;
        auto it = node->values.find(foldName(valueName ? valueName : ""));
        if (it == node->values.end())
            return ERROR_FILE_NOT_FOUND;
        const Value& value = it->second;
        if (type)
            *type = value.type;
        if (!dataSize)
            return ERROR_SUCCESS;
        auto needed = static_cast<DWORD>(value.data.size());
        if (data) {
            if (*dataSize < needed) {
                *dataSize = needed;
                return ERROR_MORE_DATA;
            }
            if (needed)
                std::memcpy(data, value.data.data(), needed);
        }
        *dataSize = needed;
        return ERROR_SUCCESS;
    }

    LONG set(HKEY key, std::string_view valueName, DWORD type, std::vector<BYTE> data) {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Key> node;
        if (LONG error = resolve(key, node))
            return error;
        setValue(*node, valueName, type, std::move(data));
        return ERROR_SUCCESS;
    }

    LONG deleteValue(HKEY key, std::string_view valueName) {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Key> node;
        if (LONG error = resolve(key, node))
            return error;
        return node->values.erase(foldName(valueName)) ? ERROR_SUCCESS : ERROR_FILE_NOT_FOUND;
    }

    // Deletes subKey of key; with tree, everything below it too, else only when it has no
    // subkeys. An empty subKey with tree empties the key itself.
    LONG deleteKey(HKEY key, std::string_view subKey, bool tree) {
        std::lock_guard lock(m_mutex);
        std::shared_ptr<Key> node;
        if (LONG error = resolve(key, node))
            return error;
        LONG error = ERROR_SUCCESS;
        auto parts = splitPath(subKey, error);
        if (!parts)
            return error;
        if (parts->empty()) {
            if (!tree)
                return ERROR_ACCESS_DENIED;  // a key cannot delete itself this way
            for (auto& [name, sub] : node->subkeys)
                markDeleted(*sub);
            node->subkeys.clear();
            node->values.clear();
            return ERROR_SUCCESS;
        }
        std::shared_ptr<Key> parent = node;
        for (std::size_t i = 0; i + 1 < parts->size(); ++i) {
            auto it = parent->subkeys.find(foldName((*parts)[i]));
            if (it == parent->subkeys.end())
                return ERROR_FILE_NOT_FOUND;
            parent = it->second;
        }
        auto it = parent->subkeys.find(foldName(parts->back()));
        if (it == parent->subkeys.end())
            return ERROR_FILE_NOT_FOUND;
        if (!tree && !it->second->subkeys.empty())
            return ERROR_ACCESS_DENIED;
        markDeleted(*it->second);
        parent->subkeys.erase(it);
        return ERROR_SUCCESS;
    }

    LONG close(HKEY key) {
        if (predefinedIndex(key))
            return ERROR_SUCCESS;  // predefined keys close without effect
        std::lock_guard lock(m_mutex);
        return m_handles.erase(reinterpret_cast<ULONG_PTR>(key)) ? ERROR_SUCCESS
                                                                 : ERROR_INVALID_HANDLE;
    }

    LONG overridePredefined(HKEY key, HKEY newKey) {
        std::lock_guard lock(m_mutex);
        auto index = predefinedIndex(key);
        if (!index)
            return ERROR_INVALID_HANDLE;
        if (!newKey) {
            m_overrides[*index].reset();
            return ERROR_SUCCESS;
        }
        // The override holds the node itself: like Windows, which duplicates the handle,
        // closing newKey afterwards leaves the redirection in place.
        std::shared_ptr<Key> node;
        if (LONG error = resolve(newKey, node))
            return error;
        m_overrides[*index] = std::move(node);
        return ERROR_SUCCESS;
    }

    void clear() {
        std::lock_guard lock(m_mutex);
        for (auto& root : m_roots) {
            for (auto& [name, sub] : root->subkeys)
                markDeleted(*sub);
            root->subkeys.clear();
            root->values.clear();
        }
        for (auto& over : m_overrides)
            over.reset();
    }

    void apply(const std::vector<RegOp>& ops, std::vector<RegFileDiagnostic>& diagnostics) {
        std::lock_guard lock(m_mutex);
        for (const RegOp& op : ops) {
            if (LONG error = applyOne(op)) {
                diagnostics.push_back({op.line, "the registry refused the change (error " +
                                                    std::to_string(error) + ")"});
            }
        }
    }

  private:
    Registry() {
        for (auto& root : m_roots)
            root = std::make_shared<Key>();
    }

    // A file named by KV_REGISTRY that cannot be read leaves the registry empty; the host is
    // told on stderr, as it would be by a registry that failed to load.
    void loadFromEnvironment() {
        const char* file = std::getenv("KV_REGISTRY");
        if (!file || !*file)
            return;
        DWORD error = ERROR_SUCCESS;
        std::string reason;
        auto parsed = readRegFile(file, error, reason);
        if (!parsed) {
            std::fprintf(stderr, "kvwin32: cannot read KV_REGISTRY file %s: %s\n", file,
                         reason.c_str());
            return;
        }
        if (!parsed->recognised) {
            std::fprintf(stderr, "kvwin32: KV_REGISTRY file %s is not a registry file\n", file);
            return;
        }
        apply(parsed->ops, parsed->diagnostics);
        for (const auto& d : parsed->diagnostics) {
            std::fprintf(stderr, "kvwin32: %s:%zu: %s\n", file, d.line, d.message.c_str());
        }
    }

    LONG applyOne(const RegOp& op) {
        auto index = predefinedIndex(op.root);
        if (!index)
            return ERROR_INVALID_HANDLE;
        LONG error = ERROR_SUCCESS;
        auto parts = splitPath(op.path, error);
        if (!parts)
            return error;
        std::shared_ptr<Key> node = m_roots[*index];
        if (op.kind == RegOpKind::DeleteKey) {
            if (parts->empty())
                return ERROR_ACCESS_DENIED;  // a predefined key stays
            for (std::size_t i = 0; i + 1 < parts->size(); ++i) {
                auto it = node->subkeys.find(foldName((*parts)[i]));
                if (it == node->subkeys.end())
                    return ERROR_SUCCESS;  // nothing to delete
                node = it->second;
            }
            auto it = node->subkeys.find(foldName(parts->back()));
            if (it != node->subkeys.end()) {
                markDeleted(*it->second);
                node->subkeys.erase(it);
            }
            return ERROR_SUCCESS;
        }
        if (parts->size() > static_cast<std::size_t>(kMaxKeyDepth))
            return ERROR_INVALID_PARAMETER;
        for (std::string_view part : *parts) {
            auto& slot = node->subkeys[foldName(part)];
            if (!slot)
                slot = makeSubkey(*node, part);
            node = slot;
        }
        if (op.kind == RegOpKind::SetValue)
            setValue(*node, op.valueName, op.type, op.data);
        if (op.kind == RegOpKind::DeleteValue)
            node->values.erase(foldName(op.valueName));
        return ERROR_SUCCESS;
    }

    static void setValue(Key& node, std::string_view name, DWORD type, std::vector<BYTE> data) {
        Value& value = node.values[foldName(name)];
        if (value.name.empty())
            value.name = std::string(name);
        value.type = type;
        value.data = std::move(data);
    }

    // The node a handle names: a predefined key (or its override) or an open handle.
    LONG resolve(HKEY key, std::shared_ptr<Key>& node) {
        if (auto index = predefinedIndex(key)) {
            node = m_overrides[*index] ? m_overrides[*index] : m_roots[*index];
        } else {
            auto it = m_handles.find(reinterpret_cast<ULONG_PTR>(key));
            if (it == m_handles.end())
                return ERROR_INVALID_HANDLE;
            node = it->second;
        }
        return node->deleted ? ERROR_KEY_DELETED : ERROR_SUCCESS;
    }

    HKEY addHandle(std::shared_ptr<Key> node) {
        ULONG_PTR value = m_nextHandle;
        m_nextHandle += 4;  // multiples of four, like the handles Windows hands out
        m_handles.emplace(value, std::move(node));
        return reinterpret_cast<HKEY>(value);
    }

    std::once_flag m_loadOnce;
    std::mutex m_mutex;
    std::array<std::shared_ptr<Key>, kPredefinedCount> m_roots;      // by predefinedIndex
    std::array<std::shared_ptr<Key>, kPredefinedCount> m_overrides;  // null: not overridden
    std::map<ULONG_PTR, std::shared_ptr<Key>> m_handles;             // open handles
    ULONG_PTR m_nextHandle = 0x100;
};

}  // namespace

void applyRegOps(const std::vector<RegOp>& ops, std::vector<RegFileDiagnostic>& diagnostics) {
    Registry::instance().apply(ops, diagnostics);
}

}  // namespace kvwin32::internal

namespace kvwin32 {

void clearRegistry() {
    internal::Registry::instance().clear();
}

}  // namespace kvwin32

using kvwin32::internal::Registry;

extern "C" LONG RegOpenKeyExA(HKEY key, LPCSTR subKey, DWORD, REGSAM, PHKEY result) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    return Registry::instance().open(key, subKey, false, result, nullptr);
}

extern "C" LONG RegCreateKeyExA(HKEY key, LPCSTR subKey, DWORD, LPSTR, DWORD, REGSAM,
                                LPSECURITY_ATTRIBUTES, PHKEY result, LPDWORD disposition) {
    if (!result)
        return ERROR_INVALID_PARAMETER;
    *result = nullptr;
    return Registry::instance().open(key, subKey, true, result, disposition);
}

// Data without a size is refused, as is a reserved pointer that is not null.
extern "C" LONG RegQueryValueExA(HKEY key, LPCSTR valueName, LPDWORD reserved, LPDWORD type,
                                 LPBYTE data, LPDWORD dataSize) {
    if (reserved || (data && !dataSize))
        return ERROR_INVALID_PARAMETER;
    return Registry::instance().query(key, valueName, type, data, dataSize);
}

// NT stores a string with its terminator even when the caller forgot to count it; we add
// the terminator whenever string data does not end with one.
extern "C" LONG RegSetValueExA(HKEY key, LPCSTR valueName, DWORD, DWORD type, const BYTE* data,
                               DWORD dataSize) {
    if (!data && dataSize)
        return kvwin32::internal::kErrorNoAccess;
    std::vector<BYTE> bytes;
    if (dataSize)
        bytes.assign(data, data + dataSize);
    bool isString = type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ;
    if (isString && (bytes.empty() || bytes.back() != 0))
        bytes.push_back(0);
    return Registry::instance().set(key, valueName ? valueName : "", type, std::move(bytes));
}

extern "C" LONG RegDeleteValueA(HKEY key, LPCSTR valueName) {
    return Registry::instance().deleteValue(key, valueName ? valueName : "");
}

extern "C" LONG RegDeleteKeyA(HKEY key, LPCSTR subKey) {
    // A null subkey is refused; an empty one would name the key itself.
    if (!subKey)
        return ERROR_INVALID_PARAMETER;
    return Registry::instance().deleteKey(key, subKey, false);
}

extern "C" LONG RegDeleteTreeA(HKEY key, LPCSTR subKey) {
    return Registry::instance().deleteKey(key, subKey ? subKey : "", true);
}

extern "C" LONG RegCloseKey(HKEY key) {
    return Registry::instance().close(key);
}

extern "C" LONG RegOverridePredefKey(HKEY key, HKEY newKey) {
    return Registry::instance().overridePredefined(key, newKey);
}
