// The Vavir Window page's enable rules apart from its window.
#pragma once

struct ProbeWindowEnabling {
    bool when;        // "during simulation." and "after simulation has completed."
    bool show;        // the "Show" group box, "Last plot." and "Nothing."
    bool allMarkers;  // "All markers on open schematics."
};

// Rule W: the "when" choices follow "Display Vavir window:". Rule S: the "Show" group follows
// either check box. Rule C, after them: a circuit file has no schematic markers to show.
constexpr ProbeWindowEnabling ProbeWindowEnables(bool displayOnOpen, bool displayOnRun,
                                                 bool circuitMode) {
    const bool show = displayOnOpen || displayOnRun;
    return {displayOnRun, show, show && !circuitMode};
}

// What the window shows as the page opens: a circuit-file profile stored with "All markers on
// open schematics." opens on "Last plot.".
constexpr int InitialShowOnDisplay(int stored, bool circuitMode) {
    return circuitMode && stored == 0 ? 1 : stored;
}
