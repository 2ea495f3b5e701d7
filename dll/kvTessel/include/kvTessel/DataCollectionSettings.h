// The profile's data-collection sub-record: which voltages, currents, powers, digital signals
// and noise quantities the simulator saves, whether it also writes CSDF data, and the width of
// the values in the waveform data file. The Data Collection page owns it.
#pragma once

#include <cstdint>

// Bits of DataCollectionSettings::collectMask. Each kind of quantity has one nibble; within a
// nibble one bit is set, naming the scope. Bits 0-3 and 24-31 carry nothing and are written 0.
namespace CollectMask {
inline constexpr unsigned kVoltageShift = 4;   // nibble of voltages, bits 4-7
inline constexpr unsigned kCurrentShift = 8;   // nibble of currents, bits 8-11
inline constexpr unsigned kPowerShift = 12;    // nibble of power, bits 12-15
inline constexpr unsigned kDigitalShift = 16;  // nibble of digital signals, bits 16-19
inline constexpr unsigned kNoiseShift = 20;    // nibble of noise, bits 20-23

inline constexpr std::uint32_t kAll = 0x1;                // "All"
inline constexpr std::uint32_t kAllButSubcircuits = 0x2;  // "All but Internal Subcircuits"
inline constexpr std::uint32_t kAtMarkersOnly = 0x4;      // "At Markers Only"
inline constexpr std::uint32_t kNone = 0x8;               // "None"
inline constexpr std::uint32_t kNibble = 0xF;             // one kind's nibble
inline constexpr std::uint32_t kUsedBits = 0x00FFFFF0;    // the five nibbles together

// The mask bit for `scope` (one of kAll ... kNone) of the kind at `shift`.
constexpr std::uint32_t bit(unsigned shift, std::uint32_t scope) {
    return scope << shift;
}
}  // namespace CollectMask

// Data collection settings. Host-owned; the page reads and writes these fields only.
struct DataCollectionSettings {
    // Scope of each kind of quantity, four bits per kind (CollectMask). Older profiles store
    // one scope for all five kinds as the small values 0 ("All") to 3 ("None"); the page
    // widens those on reading.
    std::uint32_t collectMask = 0;
    // 1: also write the data in CSDF format (.CSD).
    std::int32_t saveCsdf = 0;
    // Width of waveform data values: 0 32-bit, 1 64-bit.
    std::int32_t probeDataWidth = 0;
};
