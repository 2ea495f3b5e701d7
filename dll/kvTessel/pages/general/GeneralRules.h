// The General page's input rules, apart from its window: given what the user typed, the first
// problem (as a Refusal) and the design file name as the page rewrites it.
#pragma once

#include <optional>
#include <string>
#include <string_view>

#include "pages/common/Refusal.h"

// What ValidateGeneral looks at.
struct GeneralInput {
    std::string_view profileName;
    std::string_view designFile;
    std::string_view outputFile;
    std::string_view waveformFile;
    bool circuitMode = false;                    // circuit-file mode: the design is checked
    std::optional<std::string_view> baseFolder;  // the profile folder; none without a profile
};

struct GeneralVerdict {
    // A relative circuit file name rebased onto the profile folder; the page shows it in the
    // design file edit, whether or not a later rule refuses.
    std::optional<std::string> rebasedDesign;
    std::optional<Refusal> refusal;  // the first problem, none when the input is accepted
};

// Checks in the product's order: profile name (5050), then in circuit-file mode the design
// file (302; 305 for a relative name without a profile folder; a relative name is rebased
// onto the profile folder; 306 when no such file exists), then output (5056) and waveform
// (5052) file names. The existence test asks the file system.
GeneralVerdict CheckGeneral(const GeneralInput& input);
