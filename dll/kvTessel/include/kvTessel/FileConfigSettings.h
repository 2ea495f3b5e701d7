// The profile's file-configuration sub-record: the library search path and the stimulus,
// library and include files the simulator loads, at global, design and profile scope. The
// Configuration Files page owns it. Unlike the other records it is a polymorphic host object:
// the page asks the host, through a virtual operation, to open a file in the host's editor.
#pragma once

#include <cstdint>
#include <vector>

#include "kvTessel/ApiVisibility.h"
#include "vnt/vnt_string.h"

// Which kind of file EditFile is asked to open (the host picks its editor by it).
enum class EditFileKind : std::int32_t {
    library = 0,   // model library (.lib)
    stimulus = 1,  // stimulus file (.stl)
    include = 2,   // include file (.inc)
};

// File configuration of a simulation profile. Host-owned and meant to be subclassed: the
// host overrides EditFile to open its editor. The library reads the lists when the page
// initialises and rewrites them when the page applies with changes.
//
// Slot order of the virtual operations is part of the contract with hosts: EditFile is the
// second slot. Under the Itanium C++ ABI a virtual destructor takes two slots (complete and
// deleting), so it is declared after EditFile, and the first slot is a host operation that the
// library never calls.
//
// The record's leading host data is its virtual-table pointer; a host subclass keeps its own
// data after the fields below.
class KVTESSEL_VISIBLE FileConfigSettings {
  public:
    FileConfigSettings() = default;
    FileConfigSettings(const FileConfigSettings&) = default;
    FileConfigSettings& operator=(const FileConfigSettings&) = default;

    // Slot 0: reserved for the host; the library never calls it. Does nothing by default.
    virtual void hostReservedOperation() {}

    // Slot 1: opens `path` (an absolute file path, or empty when no file is selected; never
    // null) in the host's editor for files of `kind`. The library ignores the result. The
    // default has no editor and returns 0.
    virtual int EditFile(EditFileKind kind, const char* path) {
        (void)kind;
        (void)path;
        return 0;
    }

    virtual ~FileConfigSettings() = default;

    // Set to 1 each time the library writes the record.
    std::int32_t changed = 0;
    // Library search path: folders in double quotes, joined with ";".
    vnt_string libraryPath;
    // Global library files, each with a trailing "*".
    std::vector<vnt_string> globalLibraries;
    // Design library files (relative ".\" / "..\" form, absolute, or bare name).
    std::vector<vnt_string> designLibraries;
    // Profile library files (same forms as design entries).
    std::vector<vnt_string> profileLibraries;
    // Global include files, each with a trailing "*".
    std::vector<vnt_string> globalIncludes;
    // Design include files.
    std::vector<vnt_string> designIncludes;
    // Profile include files.
    std::vector<vnt_string> profileIncludes;
    // Global stimulus files, each with a trailing "*".
    std::vector<vnt_string> globalStimuli;
    // Design stimulus files.
    std::vector<vnt_string> designStimuli;
    // Profile stimulus files.
    std::vector<vnt_string> profileStimuli;
};
