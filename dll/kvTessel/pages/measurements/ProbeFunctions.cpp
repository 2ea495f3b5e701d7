// ProbeFunctions: the fixed table, the insertion and display texts, and the reader of the
// waveform viewer's function files. The reader works the way the viewer's own does, a line of
// at most 1022 characters at a time, so both agree on what a file holds.
#include "ProbeFunctions.h"

#include <array>
#include <cstring>
#include <memory>

#include "InstallEnvironment.h"
#include "kvwin32/crt.h"
#include "kvwin32/winbase.h"

namespace {

const AnalogFunction kOperators[] = {{"+", 0}, {"-", 0}, {"*", 0}, {"/", 0}, {"()", 0}, {"@", 0}};

const AnalogFunction kBuiltins[] = {
    {"ABS", 1}, {"SGN", 1}, {"M", 1},    {"P", 1},      {"R", 1},      {"IMG", 1},    {"DB", 1},
    {"G", 1},   {"EXP", 1}, {"LOG", 1},  {"LOG10", 1},  {"PWR", 2},    {"SQRT", 1},   {"SIN", 1},
    {"COS", 1}, {"TAN", 1}, {"ATAN", 1}, {"ARCTAN", 1}, {"D", 1},      {"S", 1},      {"AVG", 1},
    {"RMS", 1}, {"MAX", 1}, {"MIN", 1},  {"AVGX", 2},   {"ENVMAX", 2}, {"ENVMIN", 2},
};

constexpr std::string_view kMacrosMarker = "[MACROS]";
constexpr std::string_view kGoalFunctionsMarker = "[GOAL FUNCTIONS]";
// The configuration value that names the function file every design shares.
constexpr const char* kProbeSection = "PROBE";
constexpr const char* kProbeFileKey = "PRBFILE";
// Configuration values are read into a buffer of the size of a path.
constexpr DWORD kConfigValueSize = 260;

bool isBlank(char c) {
    return c == ' ' || c == '\t';
}

const char* skipBlanks(const char* p) {
    while (isBlank(*p)) {
        ++p;
    }
    return p;
}

enum class LineRead { line, end, failed };

// Reads a file a line at a time into a cleared buffer of 1024 bytes: at most 1022 characters
// (fgets with a count of 1023), one trailing line feed removed. A line that ends the file
// without a line feed is not examined. A carriage return before the line feed goes as well:
// files written on Windows are read in text mode there, which drops it.
class LineReader {
  public:
    explicit LineReader(std::FILE* file) : m_file(file) {}

    LineRead next() {
        m_buffer.fill('\0');
        if (std::fgets(m_buffer.data(), static_cast<int>(kProbeLinePiece + 1), m_file) == nullptr) {
            return std::ferror(m_file) ? LineRead::failed : LineRead::end;
        }
        if (std::feof(m_file)) {
            return LineRead::end;
        }
        std::size_t length = std::strlen(m_buffer.data());
        if (length > 0 && m_buffer[length - 1] == '\n') {
            m_buffer[--length] = '\0';
            if (length > 0 && m_buffer[length - 1] == '\r') {
                m_buffer[--length] = '\0';
            }
        }
        return LineRead::line;
    }

    // The line read last, as a C string (embedded zero bytes end it).
    const char* text() const { return m_buffer.data(); }

  private:
    std::FILE* m_file;
    std::array<char, kProbeLinePiece + 2> m_buffer{};
};

enum class EntryRead { entry, sectionEnd, failed };

// The next entry of a section: comments ("*"), blank lines and blocks ("{" up to "}") are
// skipped; a line beginning with "[" or the end of the file ends the section.
EntryRead readEntry(LineReader& reader, ProbeFunctionEntry& entry) {
    bool inBlock = false;
    while (true) {
        switch (reader.next()) {
            case LineRead::failed:
                return EntryRead::failed;
            case LineRead::end:
                return EntryRead::sectionEnd;
            case LineRead::line:
                break;
        }
        const char* line = reader.text();
        if (line[0] == '[') {
            return EntryRead::sectionEnd;
        }
        const char* p = skipBlanks(line);
        if (inBlock) {
            inBlock = *p != '}';
            continue;
        }
        if (*p == '*' || *p == '\0') {
            continue;
        }
        if (*p == '{') {
            inBlock = true;
            continue;
        }
        entry = ParseProbeHeader(p);
        return EntryRead::entry;
    }
}

}  // namespace

std::span<const AnalogFunction> AnalogOperators() {
    return kOperators;
}

std::span<const AnalogFunction> BuiltinAnalogFunctions() {
    return kBuiltins;
}

std::string InsertionText(std::string_view name, std::size_t argumentCount, bool builtin) {
    std::string text(name);
    if (name.empty() || argumentCount == 0) {
        return text;
    }
    const std::string_view open = builtin ? "( " : "(";
    const std::string_view separator = builtin ? ", " : ",";
    text += open;
    for (std::size_t i = 1; i < argumentCount; ++i) {
        text += separator;
    }
    text += ')';
    return text;
}

std::string GoalDisplayText(std::string_view text) {
    return std::string(text.substr(0, text.find('=')));
}

ProbeFunctionEntry ParseProbeHeader(std::string_view header) {
    ProbeFunctionEntry entry;
    entry.text = std::string(header);
    // The header is scanned as the C string it is in the line buffer.
    const std::string line(header.substr(0, header.find('\0')));
    const char* start = line.c_str();
    const char* nameEnd = std::strpbrk(start, "(= ");
    if (nameEnd == nullptr) {
        return entry;
    }
    entry.name.assign(start, nameEnd);
    const char* scan = nullptr;
    if (*nameEnd == '(') {
        scan = nameEnd + 1;
    } else if (*nameEnd == ' ') {
        const char* rest = skipBlanks(nameEnd);
        if (std::strchr(rest, '(') != nullptr) {
            scan = rest;
        }
    }
    while (scan != nullptr) {
        const char* stop = std::strpbrk(scan, ",)");
        if (stop == nullptr) {
            break;
        }
        const char* argument = skipBlanks(scan);
        entry.arguments.emplace_back(argument, stop);
        scan = *stop == ',' ? stop + 1 : nullptr;
    }
    return entry;
}

int ReadProbeSection(std::FILE* file, std::string_view marker,
                     std::vector<ProbeFunctionEntry>& entries) {
    if (std::fseek(file, 0, SEEK_SET) != 0) {
        return 1;
    }
    std::clearerr(file);
    LineReader reader(file);
    while (true) {
        const LineRead read = reader.next();
        if (read == LineRead::failed) {
            return 1;
        }
        if (read == LineRead::end) {
            return 0;  // no such section: it is empty
        }
        if (std::strncmp(reader.text(), marker.data(), marker.size()) == 0) {
            break;
        }
    }
    while (true) {
        ProbeFunctionEntry entry;
        switch (readEntry(reader, entry)) {
            case EntryRead::failed:
                return 1;
            case EntryRead::sectionEnd:
                return 0;
            case EntryRead::entry:
                entries.push_back(std::move(entry));
                break;
        }
    }
}

int ReadProbeFunctions(std::FILE* file, std::vector<ProbeFunctionEntry>& macros,
                       std::vector<ProbeFunctionEntry>& goalFunctions) {
    const int result = ReadProbeSection(file, kMacrosMarker, macros);
    if (result != 0) {
        return result;
    }
    return ReadProbeSection(file, kGoalFunctionsMarker, goalFunctions);
}

int ProbeFunctions::Load(const char* path) {
    if (!m_configuredRead) {
        m_configuredRead = true;
        std::array<char, kConfigValueSize> configured{};
        const std::string ini = GetIniFilePath();
        if (!ini.empty()) {
            GetPrivateProfileStringA(kProbeSection, kProbeFileKey, "", configured.data(),
                                     kConfigValueSize, ini.c_str());
        }
        const int result = Load(configured.data());
        if (result != 0 || path == nullptr) {
            return result;
        }
    }
    if (path == nullptr) {
        return 1;
    }
    const std::unique_ptr<std::FILE, int (*)(std::FILE*)> file(kvcrt::fopen(path, "r"),
                                                               &std::fclose);
    if (!file) {
        return 1;
    }
    return ReadProbeFunctions(file.get(), m_macros, m_goalFunctions);
}
