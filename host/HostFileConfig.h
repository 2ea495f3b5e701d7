// kvhost's file-configuration record: the profile's FileConfigSettings, subclassed as every
// host must, whose EditFile opens no editor but records each request so that a script can
// check it (`expect-edit-file KIND PATH`) and the transcript can show it.
#pragma once

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "kvTessel/FileConfigSettings.h"

namespace kvhost {

// One EditFile request as the library made it.
struct EditFileCall {
    // The kind argument as passed (may hold a value outside EditFileKind).
    EditFileKind kind = EditFileKind::library;
    // The path argument, bytes in the ANSI code page as passed.
    std::string path;
};

// The name of `kind` in scripts and transcripts ("library", "stimulus", "include"), or its
// number for a value outside the enumeration.
std::string editFileKindName(EditFileKind kind);

// The kind named `name` ("library", "stimulus", "include", case-insensitive, or a number), or
// nothing when the text names no kind.
std::optional<EditFileKind> parseEditFileKind(std::string_view name);

// The transcript line of `call`: `edit-file KIND PATH`, the path in UTF-8 and quoted (as a
// script argument would be) when it is empty or holds blanks, quotes, `#` or control
// characters.
std::string editFileTranscriptLine(const EditFileCall& call);

// The host's FileConfigSettings: EditFile appends the call to calls() and passes it to the
// listener, then answers 1 as a host whose editor opened.
class HostFileConfig : public FileConfigSettings {
  public:
    HostFileConfig() = default;
    HostFileConfig(const HostFileConfig&) = delete;
    HostFileConfig& operator=(const HostFileConfig&) = delete;

    // Records the request; a null path (which the library never passes) counts as empty.
    int EditFile(EditFileKind kind, const char* path) override;

    // Calls not yet taken by the script runner, oldest first.
    std::deque<EditFileCall>& calls() { return m_calls; }
    const std::deque<EditFileCall>& calls() const { return m_calls; }

    // Sets the function told of every call as it happens (for the transcript); may be empty.
    void setListener(std::function<void(const EditFileCall&)> listener) {
        m_listener = std::move(listener);
    }

  private:
    // Requests since the runner last took them.
    std::deque<EditFileCall> m_calls;
    // Told of each request as it happens; empty when nobody listens.
    std::function<void(const EditFileCall&)> m_listener;
};

}  // namespace kvhost
