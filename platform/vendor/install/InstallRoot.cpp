// tdsInit and tdsGetInstallRoot: the program name and the installation root.
#include <cstdlib>
#include <cstring>

#include "kvwin32/crt.h"
#include "tds/tds.h"

namespace {

// The installation library's view of the running program; one per process.
struct InstallationState {
    std::string programName;

    static InstallationState& instance() {
        static InstallationState state;
        return state;
    }
};

}  // namespace

extern "C" int tdsInit(int argc, const char* const argv[]) {
    if (argc >= 1 && argv && argv[0])
        InstallationState::instance().programName = argv[0];
    return 0;
}

extern "C" char* tdsGetInstallRoot(void) {
    const char* root = kvcrt::getenv("TDSROOT");
    if (!root || !*root)
        return nullptr;
    // The caller frees the answer with free(), so it must come from malloc.
    const std::size_t size = std::strlen(root) + 1;
    char* copy = static_cast<char*>(std::malloc(size));
    if (copy)
        std::memcpy(copy, root, size);
    return copy;
}

namespace tds {

std::string programName() {
    return InstallationState::instance().programName;
}

void resetInstallation() {
    InstallationState::instance() = InstallationState{};
}

}  // namespace tds
