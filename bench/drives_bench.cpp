// Resolving Windows names through the drive table: a name found exactly, and one whose every
// component differs in case from the files, so that each is found ignoring case. Folders
// listed once are listed again only when they change; the scans/lookup counter shows that a
// repeated lookup reads no folder. Beside them, one lstat of the same file, the least any
// lookup that checks the file system costs.
#include <chrono>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <thread>

#include <benchmark/benchmark.h>
#include <sys/stat.h>

#include "internal/hostpath.h"

namespace {

// Folders of 200 files each, three deep, removed at exit. Created once and left for the
// couple of seconds after which their stamps are settled, as folders on a user's disk are.
class BenchTree {
  public:
    static const BenchTree& instance() {
        static const BenchTree tree;
        return tree;
    }

    BenchTree(const BenchTree&) = delete;
    BenchTree& operator=(const BenchTree&) = delete;

    const std::string& host() const { return m_host; }
    const std::string& exactName() const { return m_exact; }
    const std::string& otherCaseName() const { return m_otherCase; }

  private:
    BenchTree() {
        std::string pattern = (std::filesystem::temp_directory_path() / "kvbench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            std::abort();
        m_folder = pattern;
        std::string folder = m_folder;
        for (const char* level : {"Projects", "Amplifier", "Settings"}) {
            folder += '/';
            folder += level;
            std::filesystem::create_directory(folder);
            for (int i = 0; i < 200; ++i)
                std::ofstream(folder + "/File" + std::to_string(i) + ".txt") << i;
        }
        m_host = folder + "/Sim.ini";
        std::ofstream(m_host) << "[a]\n";
        m_exact = *kvwin32::internal::windowsPath(m_host);
        const std::size_t base =
            m_exact.size() - std::string("Projects\\Amplifier\\Settings\\Sim.ini").size();
        m_otherCase = m_exact.substr(0, base) + "PROJECTS\\amplifier\\SETTINGS\\sim.INI";
        std::this_thread::sleep_for(std::chrono::nanoseconds(kvwin32::internal::kStampSettleNs) +
                                    std::chrono::milliseconds(200));
    }
    ~BenchTree() {
        std::error_code ec;
        std::filesystem::remove_all(m_folder, ec);
    }

    std::string m_folder;     // host folder holding the tree
    std::string m_host;       // host path of the file
    std::string m_exact;      // its Windows name
    std::string m_otherCase;  // its Windows name with every component of the tree in another case
};

void lookUp(benchmark::State& state, const std::string& name) {
    const BenchTree& tree = BenchTree::instance();
    const std::uint64_t scans = kvwin32::internal::folderScanCount();
    for (auto _ : state) {
        auto host = kvwin32::internal::hostPath(name);
        if (!host || *host != tree.host()) {
            state.SkipWithError("wrong host path");
            break;
        }
        benchmark::DoNotOptimize(host->data());
    }
    state.SetItemsProcessed(state.iterations());
    state.counters["scans/lookup"] =
        benchmark::Counter(static_cast<double>(kvwin32::internal::folderScanCount() - scans) /
                           static_cast<double>(state.iterations()));
}

void BM_HostPathExactCase(benchmark::State& state) {
    lookUp(state, BenchTree::instance().exactName());
}
BENCHMARK(BM_HostPathExactCase);

void BM_HostPathIgnoringCase(benchmark::State& state) {
    lookUp(state, BenchTree::instance().otherCaseName());
}
BENCHMARK(BM_HostPathIgnoringCase);

void BM_LstatBaseline(benchmark::State& state) {
    const BenchTree& tree = BenchTree::instance();
    for (auto _ : state) {
        struct stat st {};
        benchmark::DoNotOptimize(::lstat(tree.host().c_str(), &st));
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_LstatBaseline);

}  // namespace
