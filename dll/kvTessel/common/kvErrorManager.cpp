// The catalog registration manager: the module table of the product family and the one-time
// registration of a module's catalogs with the message library.
#include "kvErrorManager.h"

#include <string>
#include <utility>

#include "sb/SBMessageManager.h"
#include "sb/SBMessageModule.h"
#include "sb/SBStatus.h"
#include "sb/SBTdsUtil.h"
#include <windows.h>

namespace {

// The family's product name the message library resolves installation paths for.
constexpr const char* kProductName = "ventra";

// The catalog files of every module of the product family. This library asks only for
// ZAZARIZ and KVCOMMN; the other programs of the family ship their own catalogs with
// themselves, so their entries name none here (a file listed would be reported missing if a
// lookup ever reached it).
std::map<std::string, std::vector<std::string>, std::less<>> moduleTable() {
    return {
        // The simulator front end: waveform viewer, expression evaluator, this library,
        // simulation manager, in that order (an earlier catalog wins a shared number).
        {"ZAZARIZ", {"waveView.xml", "exprEval.xml", "kvTessel.xml", "simMgr.xml"}},
        // Common services of the family.
        {"KVCOMMN",
         {"kvcBase.xml",     "kvcFile.xml",   "kvcHelp.xml",    "kvcInstall.xml", "kvcLibrary.xml",
          "kvcLicense.xml",  "kvcLocale.xml", "kvcMemory.xml",  "kvcNetlist.xml", "kvcNetwork.xml",
          "kvcOptions.xml",  "kvcPlot.xml",   "kvcPrint.xml",   "kvcProcess.xml", "kvcProject.xml",
          "kvcRegistry.xml", "kvcScript.xml", "kvcSession.xml", "kvcUnits.xml",   "kvcUpdate.xml",
          "kvcXml.xml"}},
        {"KVSCHEM", {}},   // schematic editor
        {"KVLAYOUT", {}},  // board layout
        {"KVROUTE", {}},   // autorouter
        {"KVNETLST", {}},  // netlister
        {"KVPARTED", {}},  // part editor
        {"KVLIBMGR", {}},  // library manager
        {"KVMODEL", {}},   // model editor
        {"KVSTIM", {}},    // stimulus editor
        {"KVOPTIM", {}},   // optimizer
        {"KVMAGNET", {}},  // magnetics designer
        {"KVFILTER", {}},  // filter designer
        {"KVPROJ", {}},    // project manager
        {"KVLICENS", {}},  // licence service
    };
}

}  // namespace

kvErrorManager& kvErrorManager::instance() {
    // Built on first use and deliberately never destroyed: messages may be asked for while
    // other static objects are being torn down.
    static kvErrorManager* const manager = new kvErrorManager();
    return *manager;
}

kvErrorManager::kvErrorManager() {
    SBTdsUtil::tdsUtilInit(kProductName);
    SBMessageManager::initMS();
    m_catalogs = moduleTable();
}

kvErrorManager::~kvErrorManager() = default;

bool kvErrorManager::ensureModule(const char* module) {
    const std::string name = module ? module : "";
    if (m_registered.contains(name)) {
        return true;
    }
    bool allRegistered = true;
    // Copied: registerCatalog shows a box, and a box runs no code of ours, but the list must
    // not depend on that.
    const std::vector<std::string> files = catalogsOf(name);
    for (const std::string& file : files) {
        if (!registerCatalog(name.c_str(), file.c_str())) {
            allRegistered = false;
        }
    }
    // Attempted once per process, whatever the outcome: a missing catalog is not looked for
    // again, and later lookups go ahead with what did register.
    m_registered.insert(name);
    return allRegistered;
}

bool kvErrorManager::registerCatalog(const char* module, const char* file) {
    SBMessageModule* target = SBMessageManager::getInstance().loadModule(module, nullptr);
    if (target == nullptr) {
        // The message library makes no module for an empty name; there is nothing to report.
        return false;
    }
    SBStatus status(false);
    target->registerCatalog(file, status);
    if (status.isOK()) {
        return true;
    }
    std::string text;
    status.initPosition();
    while (const SBMessage* message = status.getNext()) {
        text += message->getSubstitutedDesc(true).str();
        text += "\n\n";
    }
    status.flushMessages(true);
    // A plain box: OK only, no icon, no owner; a null caption makes Windows write "Error".
    MessageBoxA(nullptr, text.c_str(), nullptr, MB_OK);
    return false;
}

const std::vector<std::string>& kvErrorManager::catalogsOf(std::string_view module) const {
    static const std::vector<std::string> kNone;
    const auto found = m_catalogs.find(module);
    return found == m_catalogs.end() ? kNone : found->second;
}

bool kvErrorManager::isAttempted(std::string_view module) const {
    return m_registered.find(module) != m_registered.end();
}

kvErrorManager::SessionLogSink kvErrorManager::setSessionLogSink(SessionLogSink sink) {
    return std::exchange(m_sessionLog, std::move(sink));
}
