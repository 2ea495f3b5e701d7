// The measurement record of the maker's profile-data library: one measurement expression that
// the waveform viewer evaluates after a run, whether it is switched on, and the analysis it
// belongs to. Profiles keep a list of them; the Measurements page rebuilds that list on apply.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <utility>

#include "vnt/vnt_string.h"

// Profile-data classes are shared between the host and the settings library, so their type
// information and virtual tables keep default visibility even in a hidden-by-default build.
#define VNT_API __attribute__((visibility("default")))

// The analysis a measurement belongs to, as stored in MeasData's domain byte.
enum class MeasDomain : char {
    transient = 0,  // time domain (transient) analysis
    dcSweep = 1,    // DC sweep
    acSweep = 2,    // AC sweep and noise
};

// One measurement: the expression text, its enabled flag and its analysis domain.
// The class is polymorphic (the library that ships it gives it a virtual destructor) and
// copyable, so lists of it can be assigned wholesale.
class VNT_API MeasData {
  public:
    // An empty, disabled transient measurement.
    MeasData() = default;

    // A measurement of `expression`, switched on when `enabled`, in analysis `domain`
    // (a MeasDomain value; other values are kept as given).
    MeasData(vnt_string expression, bool enabled, char domain)
        : m_expression(std::move(expression)), m_enabled(enabled), m_domain(domain) {}

    MeasData(const MeasData&) = default;
    MeasData(MeasData&&) noexcept = default;
    MeasData& operator=(const MeasData&) = default;
    MeasData& operator=(MeasData&&) noexcept = default;
    virtual ~MeasData() = default;

    // The expression text, such as "Max(V(out))".
    const vnt_string& getExpression() const { return m_expression; }

    // True when the measurement is evaluated after the run.
    bool isEnabled() const { return m_enabled; }

    // The analysis domain byte (see MeasDomain).
    char getDomain() const { return m_domain; }

    // Two measurements are equal when expression, flag and domain are.
    friend bool operator==(const MeasData& a, const MeasData& b) {
        return a.m_expression == b.m_expression && a.m_enabled == b.m_enabled &&
               a.m_domain == b.m_domain;
    }

  private:
    // Expression text, bytes in the ANSI code page.
    vnt_string m_expression;
    // Evaluated after the run.
    bool m_enabled = false;
    // MeasDomain value.
    char m_domain = 0;
};

#pragma GCC visibility pop
