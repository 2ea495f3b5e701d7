// Fuzz target for the resource-script compiler: any text must compile or fail with an RcError,
// never crash or hang; what compiles must survive source generation and the runtime lookup.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "Compiler.h"
#include "SourceWriter.h"
#include "kvwin32/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::string_view text(reinterpret_cast<const char*>(data), size);
    kvrc::CompileOptions options;
    options.allowFiles = false;  // the fuzzer's input is the whole world
    kvrc::Script script;
    try {
        script = kvrc::compileText(text, "fuzz.rc", ".", options);
    } catch (const kvrc::RcError&) {
        return 0;
    }
    (void)kvrc::writeSource(script, "fuzz.rc");

    // Serve the result as a module's resources and read every string block back.
    std::vector<KvResourceEntry> entries;
    for (const kvrc::Resource& r : script.resources)
        entries.push_back({{r.type.isName ? r.type.name.c_str() : nullptr, r.type.ordinal},
                           {r.name.isName ? r.name.name.c_str() : nullptr, r.name.ordinal},
                           r.language,
                           r.data.data(),
                           static_cast<DWORD>(r.data.size())});
    KvResourceDirectory directory{KV_RESOURCE_DIRECTORY_MAGIC, KV_RESOURCE_DIRECTORY_VERSION,
                                  static_cast<DWORD>(entries.size()), entries.data()};
    HMODULE module = reinterpret_cast<HMODULE>(static_cast<ULONG_PTR>(0xf0220000));
    KvRegisterResourceDirectory(module, &directory);
    char buffer[64];
    for (const kvrc::Resource& r : script.resources) {
        if (r.type.isName || r.type.ordinal != kvrc::ResourceType::String)
            continue;
        for (UINT slot = 0; slot < 16; ++slot)
            LoadStringA(module, (r.name.ordinal - 1u) * 16u + slot, buffer, sizeof buffer);
    }
    KvRegisterResourceDirectory(module, nullptr);
    return 0;
}
