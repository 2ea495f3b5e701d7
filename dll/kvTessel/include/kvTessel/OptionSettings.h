// The profile's simulator-options sub-record: the output-file and convergence switches, 53
// option slots held as text with an is-set flag each, and the AutoConverge switches, together
// with the built-in default text of every slot. The Options page, its panels and its advanced
// dialogs own it; the Configuration Files page writes noIndexUpdate.
//
// An option whose is-set flag is 0 holds its default and is left out of what the simulator is
// told; the flag becomes 1 when the user leaves a text that differs from the default (an exact,
// case-sensitive comparison of the whole text).
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "vnt/vnt_string.h"

// Number of option slots in OptionSettings::optionValues and optionIsSet.
inline constexpr std::size_t kOptionSlotCount = 53;

// The option held by each slot. Slots 2, 7 and 23 are carried unchanged and edited nowhere.
enum class OptionSlot : std::size_t {
    ABSTOL = 0,                 // best accuracy of currents, amps
    CHGTOL = 1,                 // best accuracy of charges, coulombs
    reserved2 = 2,              // not edited; carried unchanged
    DEFAD = 3,                  // MOSFET default drain area, square meters
    DEFAS = 4,                  // MOSFET default source area, square meters
    DEFL = 5,                   // MOSFET default length, meters
    DEFW = 6,                   // MOSFET default width, meters
    reserved7 = 7,              // not edited; carried unchanged
    DIGDRVF = 8,                // minimum output drive resistance, ohms
    DIGDRVZ = 9,                // maximum output drive resistance, ohms
    DIGERRDEFAULT = 10,         // per-device error message limit (0 = infinity)
    DIGERRLIMIT = 11,           // total error message limit (0 = infinity)
    flipFlopInitialState = 12,  // initial state of all flip-flops: 0, 1, 2 = X
    adIoLevel = 13,             // default I/O level of A/D interfaces
    timingMode = 14,            // 1 minimum, 2 typical, 3 maximum, 4 worst case (min/max)
    DIGMNTYSCALE = 15,          // typical-to-minimum delay factor
    DIGOVRDRV = 16,             // overdrive ratio
    DIGTYMXSCALE = 17,          // typical-to-maximum delay factor
    GMIN = 18,                  // minimum conductance for any branch, 1/ohm
    ITL1 = 19,                  // DC and bias "blind" iteration limit
    ITL2 = 20,                  // DC and bias "best guess" iteration limit
    ITL4 = 21,                  // transient time point iteration limit
    ITL5 = 22,                  // total transient iteration limit (0 = infinity)
    reserved23 = 23,            // not edited; carried unchanged
    NUMDG = 24,                 // number of digits in printed values
    PIVREL = 25,                // relative magnitude for matrix pivot
    PIVTOL = 26,                // absolute magnitude for matrix pivot
    RELTOL = 27,                // relative accuracy of voltages and currents
    TNOM = 28,                  // default nominal temperature, degrees Celsius
    VNTOL = 29,                 // best accuracy of voltages, volts
    outputWidth = 30,           // output file width, characters: "80" or "132"
    SOLVER = 31,                // simulation algorithm: "default", "0", "1"
    DMFACTOR = 32,              // relative factor for minimum delta
    relaxedITL1 = 33,           // AutoConverge relaxed ITL1
    relaxedITL2 = 34,           // AutoConverge relaxed ITL2
    relaxedITL4 = 35,           // AutoConverge relaxed ITL4
    relaxedRELTOL = 36,         // AutoConverge relaxed RELTOL
    relaxedABSTOL = 37,         // AutoConverge relaxed ABSTOL
    relaxedVNTOL = 38,          // AutoConverge relaxed VNTOL
    relaxedPIVTOL = 39,         // AutoConverge relaxed PIVTOL
    WCDEVIATION = 40,           // worst case deviation
    METHOD = 41,                // integration method
    TRTOL = 42,                 // relative time step tolerance
    GMINSTEPS = 43,             // GMIN steps
    ITL6 = 44,                  // source-stepping iteration limit
    PTRANSTEP = 45,             // pseudo-transient steps
    LIMIT = 46,                 // absolute data value limit
    THREADS = 47,               // number of threads
    DIODERS = 48,               // minimum diode Rs; empty: not used
    DIODECJO = 49,              // minimum diode Cjo; empty: not used
    BJTCJ = 50,                 // minimum BJT Cje and Cjc; empty: not used
    CSHUNT = 51,                // CSHUNT; empty: not used
    speedLevel = 52,            // speed level of the analog panel
};

// The array index of `slot` in optionValues and optionIsSet.
constexpr std::size_t slotIndex(OptionSlot slot) {
    return static_cast<std::size_t>(slot);
}

// Simulator options of a simulation profile. Host-owned; borrowed by every options panel.
// Switches are 32-bit ints holding 0 or 1; option values are text in the simulator's notation
// with scale suffixes (e.g. "1.0p", "100.00u", "1.0E-12").
struct OptionSettings {
    // Leading host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // Leading host header word (pointer-sized), opaque to the library.
    void* hostReserved2 = nullptr;

    // Detailed summary and accounting information in the output file.
    std::int32_t ACCT = 0;
    // Subcircuit expansion and load bias files in the output file.
    std::int32_t EXPAND = 0;
    // Statements included from libraries in the output file.
    std::int32_t LIBRARY = 0;
    // Device summary in the output file.
    std::int32_t LIST = 0;
    // 1: no bias point node voltages in the output file.
    std::int32_t NOBIAS = 0;
    // Node summary (connections) in the output file.
    std::int32_t NODE = 0;
    // 1: no circuit file statements in the output file.
    std::int32_t NOECHO = 0;
    // 1: the simulator does not update the library index ("Update Index" is clear). Written by
    // the Configuration Files page. The switches up to NOPAGE run in alphabetical keyword
    // order, and this flag is the int that sits between NOECHO and NOMOD.
    std::int32_t noIndexUpdate = 0;
    // 1: no model parameter values in the output file.
    std::int32_t NOMOD = 0;
    // 1: no digital timing and hazard messages in the output file.
    std::int32_t NOOUTMSG = 0;
    // 1: no page breaks and banners in the output file.
    std::int32_t NOPAGE = 0;
    // 1: suppress simulation error messages in the waveform data file.
    std::int32_t suppressWaveformErrors = 0;
    // Switch no page edits; carried unchanged.
    std::int32_t reservedSwitch = 0;
    // Value of each option in the output file.
    std::int32_t OPTS = 0;
    // Use GMIN stepping for the bias point.
    std::int32_t STEPGMIN = 0;
    // Use preordering to reduce matrix fill-in.
    std::int32_t PREORDER = 0;
    // No GMIN across current sources.
    std::int32_t NOGMINI = 0;
    // Do not step dependent sources during source stepping.
    std::int32_t NOSTEPDEP = 0;
    // Advanced convergence.
    std::int32_t ADVCONV = 0;
    // Step GMIN inside source stepping.
    std::int32_t GMINSRC = 0;
    // Use pseudo-transient for the bias point.
    std::int32_t PSEUDOTRAN = 0;
    // Enable breakpoints for dependent sources.
    std::int32_t BRKDEPSRC = 0;
    // Skip source stepping.
    std::int32_t NOSTEPSRC = 0;
    // Generate files for convergence failures.
    std::int32_t CONVAID = 0;
    // Enable transient continuation methods.
    std::int32_t TRANCONV = 0;

    // Option texts, indexed by OptionSlot.
    std::array<vnt_string, kOptionSlotCount> optionValues;

    // AutoConverge on.
    std::int32_t autoConverge = 0;
    // Relax ITL1 to slot relaxedITL1.
    std::int32_t autoConvergeITL1 = 0;
    // Relax ITL2 to slot relaxedITL2.
    std::int32_t autoConvergeITL2 = 0;
    // Relax ITL4 to slot relaxedITL4.
    std::int32_t autoConvergeITL4 = 0;
    // Relax RELTOL to slot relaxedRELTOL.
    std::int32_t autoConvergeRELTOL = 0;
    // Relax ABSTOL to slot relaxedABSTOL.
    std::int32_t autoConvergeABSTOL = 0;
    // Relax VNTOL to slot relaxedVNTOL.
    std::int32_t autoConvergeVNTOL = 0;
    // Relax PIVTOL to slot relaxedPIVTOL.
    std::int32_t autoConvergePIVTOL = 0;
    // AutoConverge restarts the run.
    std::int32_t autoConvergeRestart = 0;

    std::array<std::int32_t, kOptionSlotCount>
        // 1: the slot's text differs from its default.
        optionIsSet{};

    // Built-in default text of each slot, indexed by OptionSlot. Entry 53 belongs to no slot.
    // An empty default (slots 48 to 51) means the option is not used.
    static constexpr std::array<std::string_view, kOptionSlotCount + 1> defaultTexts = {
        "1.0p",     // 0 ABSTOL
        "0.01p",    // 1 CHGTOL
        "0.0",      // 2
        "0.0",      // 3 DEFAD
        "0.0",      // 4 DEFAS
        "100.00u",  // 5 DEFL
        "100.00u",  // 6 DEFW
        "10.0G",    // 7
        "2.0",      // 8 DIGDRVF
        "20K",      // 9 DIGDRVZ
        "20.0",     // 10 DIGERRDEFAULT
        "0",        // 11 DIGERRLIMIT
        "2",        // 12 flip-flop initial state X
        "1",        // 13 A/D interface I/O level
        "2",        // 14 timing mode typical
        "0.4",      // 15 DIGMNTYSCALE
        "3.0",      // 16 DIGOVRDRV
        "1.6",      // 17 DIGTYMXSCALE
        "1.0E-12",  // 18 GMIN
        "150",      // 19 ITL1
        "20",       // 20 ITL2
        "10",       // 21 ITL4
        "0",        // 22 ITL5
        "0",        // 23
        "4",        // 24 NUMDG
        "1.0E-3",   // 25 PIVREL
        "1.0E-13",  // 26 PIVTOL
        "0.001",    // 27 RELTOL
        "27.0",     // 28 TNOM
        "1.0u",     // 29 VNTOL
        "80",       // 30 output file width
        "default",  // 31 SOLVER
        "1",        // 32 DMFACTOR
        "1000",     // 33 relaxed ITL1
        "1000",     // 34 relaxed ITL2
        "1000",     // 35 relaxed ITL4
        "0.05",     // 36 relaxed RELTOL
        "1.0E-6",   // 37 relaxed ABSTOL
        ".001",     // 38 relaxed VNTOL
        "1.0E-10",  // 39 relaxed PIVTOL
        "0",        // 40 WCDEVIATION
        "0",        // 41 METHOD
        "7",        // 42 TRTOL
        "0",        // 43 GMINSTEPS
        "0",        // 44 ITL6
        "0",        // 45 PTRANSTEP
        "0",        // 46 LIMIT
        "0",        // 47 THREADS
        "",         // 48 DIODERS
        "",         // 49 DIODECJO
        "",         // 50 BJTCJ
        "",         // 51 CSHUNT
        "3",        // 52 speed level
        "",         // 53 no slot
    };
};
