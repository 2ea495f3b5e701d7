// Cost of the ".reg" reader and of registry lookups on an installation-sized registry: a
// generated file of a thousand keys with a mix of value types, parsed, imported, and queried.
#include <string>

#include <benchmark/benchmark.h>

#include "internal/registry.h"
#include "kvwin32/registry_file.h"
#include "kvwin32/winreg.h"

namespace {

const std::string& sampleFile() {
    static const std::string text = [] {
        std::string t = "Windows Registry Editor Version 5.00\r\n\r\n";
        for (int k = 0; k < 1000; ++k) {
            t += "[HKEY_LOCAL_MACHINE\\Software\\Kv\\Product" + std::to_string(k % 10) + "\\Key" +
                 std::to_string(k) + "]\r\n";
            t += "@=\"default value " + std::to_string(k) + "\"\r\n";
            t += "\"InstallDir\"=\"C:\\\\Program Files\\\\Kv\\\\" + std::to_string(k) + "\"\r\n";
            t += "\"Count\"=dword:0000" + std::to_string(1000 + k) + "\r\n";
            t += "\"Lib\"=hex(2):25,00,4b,00,56,00,25,00,5c,00,6c,00,69,00,62,00,00,00\r\n";
            t += "\"Blob\"=hex:00,01,02,03,04,05,06,07,08,09,0a,0b,0c,0d,0e,0f,\\\r\n"
                 "  10,11,12,13,14,15,16,17,18,19,1a,1b,1c,1d,1e,1f\r\n\r\n";
        }
        return t;
    }();
    return text;
}

void BM_ParseRegFile(benchmark::State& state) {
    const std::string& text = sampleFile();
    for (auto _ : state) {
        auto parsed = kvwin32::internal::parseRegFile(text);
        benchmark::DoNotOptimize(parsed.ops.data());
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * text.size()));
}
BENCHMARK(BM_ParseRegFile);

void BM_ImportRegFile(benchmark::State& state) {
    const std::string& text = sampleFile();
    for (auto _ : state) {
        kvwin32::clearRegistry();
        auto load = kvwin32::loadRegistryText(text);
        benchmark::DoNotOptimize(load.error);
    }
    kvwin32::clearRegistry();
}
BENCHMARK(BM_ImportRegFile);

void BM_OpenAndQuery(benchmark::State& state) {
    kvwin32::clearRegistry();
    kvwin32::loadRegistryText(sampleFile());
    char buf[256];
    for (auto _ : state) {
        HKEY key = nullptr;
        RegOpenKeyExA(HKEY_LOCAL_MACHINE, "software\\kv\\product7\\key517", 0, KEY_READ, &key);
        DWORD size = sizeof buf;
        RegQueryValueExA(key, "installdir", nullptr, nullptr, reinterpret_cast<BYTE*>(buf), &size);
        RegCloseKey(key);
        benchmark::DoNotOptimize(size);
    }
    kvwin32::clearRegistry();
}
BENCHMARK(BM_OpenAndQuery);

}  // namespace
