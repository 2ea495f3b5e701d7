// Fuzzes the ".reg" reader with arbitrary bytes: parsing must never crash or run away, every
// diagnostic must name a line of the input, and importing the result must leave a registry
// whose values read back with the sizes the parser produced.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string_view>

#include "internal/registry.h"
#include "kvwin32/registry_file.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winreg.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    auto parsed = kvwin32::internal::parseRegFile(bytes);

    // A file has at most one line per byte (plus one); UTF-16 halves that.
    for (const auto& d : parsed.diagnostics) {
        if (d.line == 0 || d.line > size + 1)
            std::abort();
    }
    if (!parsed.recognised && !parsed.ops.empty())
        std::abort();
    // No key deeper than the registry allows reaches it.
    for (const auto& op : parsed.ops) {
        if (std::count(op.path.begin(), op.path.end(), '\\') >= kvwin32::internal::kMaxKeyDepth)
            std::abort();
    }

    kvwin32::clearRegistry();
    auto load = kvwin32::loadRegistryText(bytes);
    if ((load.error == ERROR_SUCCESS) != parsed.recognised)
        std::abort();

    // The last value set under each key wins; check the final state of the last SetValue.
    for (auto it = parsed.ops.rbegin(); it != parsed.ops.rend(); ++it) {
        if (it->kind != kvwin32::internal::RegOpKind::SetValue)
            continue;
        HKEY key = nullptr;
        if (RegOpenKeyExA(it->root, it->path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS)
            break;
        DWORD type = 0, needed = 0;
        // Embedded NULs cut a value name short for the A functions; only plain names compare.
        if (it->valueName.find('\0') == std::string::npos &&
            RegQueryValueExA(key, it->valueName.c_str(), nullptr, &type, nullptr, &needed) ==
                ERROR_SUCCESS) {
            // Later ops may have replaced or deleted it; a value that is there reads whole.
            std::string buffer(needed, '\0');
            DWORD got = needed;
            if (RegQueryValueExA(key, it->valueName.c_str(), nullptr, nullptr,
                                 reinterpret_cast<BYTE*>(buffer.data()), &got) != ERROR_SUCCESS ||
                got != needed)
                std::abort();
        }
        RegCloseKey(key);
        break;
    }
    kvwin32::clearRegistry();
    return 0;
}
