// ISyncCkptReStart: the process-wide checkpoint registry. The Analysis page clears its flag at
// every Apply; the checkpoint dialog publishes its folder and sets the flag when it validates.
#include "kvTessel/CheckPoint.h"

#include <utility>

ISyncCkptReStart* ISyncCkptReStart::_instance = nullptr;
std::vector<CCheckPointReader*> ISyncCkptReStart::chkptSimEntry;

ISyncCkptReStart::ISyncCkptReStart() = default;

ISyncCkptReStart::ISyncCkptReStart(const ISyncCkptReStart& other) = default;

ISyncCkptReStart::~ISyncCkptReStart() = default;

ISyncCkptReStart& ISyncCkptReStart::operator=(const ISyncCkptReStart& other) = default;

ISyncCkptReStart* ISyncCkptReStart::Instance() {
    if (_instance == nullptr) {
        _instance = new ISyncCkptReStart();  // owned by the class; killOb frees it
    }
    return _instance;
}

void ISyncCkptReStart::killOb() {
    delete _instance;
    _instance = nullptr;
}

void ISyncCkptReStart::SwapChkptEntry(int i, int j) {
    const auto count = static_cast<int>(chkptSimEntry.size());
    if (i < 0 || j < 0 || i >= count || j >= count) {
        return;  // nothing to exchange outside the registry
    }
    CCheckPointReader* a = chkptSimEntry[static_cast<std::size_t>(i)];
    CCheckPointReader* b = chkptSimEntry[static_cast<std::size_t>(j)];
    if (a != nullptr && b != nullptr && a != b) {
        std::swap(*a, *b);
    }
}

void ISyncCkptReStart::SetChkptDir(std::string dir) {
    m_chkptDir = std::move(dir);
}

std::string ISyncCkptReStart::GetchkptDir() {
    return m_chkptDir;
}

void ISyncCkptReStart::SetChkptFlag(bool flag) {
    m_chkptFlag = flag;
}

bool ISyncCkptReStart::GetChkptFlag() {
    return m_chkptFlag;
}
