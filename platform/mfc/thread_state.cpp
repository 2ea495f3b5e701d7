// The framework's thread and process state objects.
#include "thread_state.h"

#include <mutex>
#include <set>
#include <string>
#include <strings.h>
#include <utility>
#include <vector>

namespace kvmfc {

ThreadState& threadState() {
    // Windows and their framework objects belong to the thread that created them.
    thread_local ThreadState state;
    return state;
}

AFX_MODULE_STATE& appModuleState() {
    static AFX_MODULE_STATE state;
    return state;
}

LPCSTR keepClassName(LPCSTR name) {
    // The framework's part of the process-wide class table: the names it handed out.
    static std::mutex lock;
    static std::set<std::string> names;
    const std::lock_guard<std::mutex> guard(lock);
    return names.insert(name ? name : "").first->c_str();
}

namespace {

// The wrapper classes of window classes: the framework's own controls, then those registered.
struct WrapperRegistry {
    std::mutex lock;
    std::vector<std::pair<std::string, AfxWrapperFactory>> factories;
};

template <typename T>
std::unique_ptr<CWnd> make() {
    return std::make_unique<T>();
}

WrapperRegistry& wrapperRegistry() {
    static WrapperRegistry registry{{},
                                    {{"Button", &make<CButton>},
                                     {"Edit", &make<CEdit>},
                                     {"ComboBox", &make<CComboBox>},
                                     {"ListBox", &make<CListBox>},
                                     {"Static", &make<CStatic>},
                                     {"ScrollBar", &make<CScrollBar>}}};
    return registry;
}

}  // namespace

std::unique_ptr<CWnd> makeWrapper(HWND hwnd) {
    char className[64] = {};
    ::GetClassNameA(hwnd, className, sizeof className);
    AfxWrapperFactory factory = nullptr;
    {
        WrapperRegistry& registry = wrapperRegistry();
        const std::lock_guard<std::mutex> guard(registry.lock);
        for (const auto& [name, make] : registry.factories) {
            if (strcasecmp(name.c_str(), className) == 0) {
                factory = make;
                break;
            }
        }
    }
    return factory ? factory() : std::make_unique<CWnd>();
}

}  // namespace kvmfc

void AfxRegisterWrapperClass(LPCSTR windowClass, AfxWrapperFactory factory) {
    if (!windowClass || !factory) {
        return;
    }
    auto& registry = kvmfc::wrapperRegistry();
    const std::lock_guard<std::mutex> guard(registry.lock);
    for (auto& [name, make] : registry.factories) {
        if (strcasecmp(name.c_str(), windowClass) == 0) {
            make = factory;  // the last registration wins
            return;
        }
    }
    registry.factories.emplace_back(windowClass, factory);
}

AFX_MODULE_STATE* AfxGetModuleState() {
    AFX_MODULE_STATE* state = kvmfc::threadState().moduleState;
    return state ? state : &kvmfc::appModuleState();
}

AFX_MODULE_STATE* AfxGetAppModuleState() {
    return &kvmfc::appModuleState();
}

AFX_MODULE_STATE* AfxSetModuleState(AFX_MODULE_STATE* state) {
    AFX_MODULE_STATE* previous = AfxGetModuleState();
    kvmfc::threadState().moduleState = state;
    return previous;
}
