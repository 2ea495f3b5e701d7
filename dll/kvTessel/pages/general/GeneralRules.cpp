// The rules of the General page's fields.
#include "GeneralRules.h"

#include "PathUtil.h"
#include "resource.h"

namespace {

// Catalog refusals of the General page: the catalog text in a box with the warning icon,
// shown even when the catalogs have no text.
constexpr UINT kWarning = MB_ICONEXCLAMATION | MB_OK;

std::string normalized(std::string_view text) {
    std::string path(text);
    PathUtil::normalize(path, false);
    return path;
}

// A design name counts as relative when its folder part is empty or ".\" (in any case).
bool isRelative(const std::string& design) {
    const std::string_view folder = PathUtil::directory(design).in(design);
    return folder.empty() || (folder.size() == 2 && folder[0] == '.' && folder[1] == '\\');
}

}  // namespace

GeneralVerdict CheckGeneral(const GeneralInput& input) {
    GeneralVerdict verdict;
    auto refuse = [&verdict](RefusalMessage message, int control, bool activate = false) {
        verdict.refusal = Refusal{message, control, {}, kWarning, activate};
        return verdict;
    };
    if (input.profileName.empty()) {
        return refuse(msg::enterProfileName, IDC_PROFILE_NAME, true);
    }
    if (input.circuitMode) {
        if (input.designFile.empty()) {
            return refuse(UINT{IDS_ENTER_DESIGN_FILE}, IDC_DESIGN_FILE);
        }
        std::string design = normalized(input.designFile);
        if (isRelative(design)) {
            if (!input.baseFolder) {
                return refuse(UINT{IDS_ENTER_FULL_DESIGN_PATH}, IDC_DESIGN_FILE);
            }
            PathUtil::rebase(design, normalized(*input.baseFolder));
            verdict.rebasedDesign = design;
        }
        if (!PathUtil::isFile(design)) {
            return refuse(UINT{IDS_DESIGN_FILE_MISSING}, IDC_DESIGN_FILE);
        }
    }
    if (input.outputFile.empty()) {
        return refuse(msg::enterOutputFile, IDC_OUTPUT_FILE);
    }
    if (input.waveformFile.empty()) {
        return refuse(msg::enterWaveformFile, IDC_WAVEFORM_FILE);
    }
    return verdict;
}
