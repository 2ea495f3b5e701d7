// Whole-file writes and reads for kvhost, on the platform's file discipline.

#include "FileWrite.h"

#include "kvwin32/file_write.h"

namespace kvhost {

Status writeFileAtomically(const std::string& path, std::string_view contents) {
    if (const int err = kvwin32::writeWholeFile(path, contents); err != 0) {
        return Error{"cannot write '" + path + "': " + kvwin32::fileErrorText(err)};
    }
    return success();
}

Result<std::string> readInputFile(const std::string& path) {
    std::string bytes;
    if (const int err = kvwin32::readRegularFile(path, bytes, kMaxInputBytes); err != 0) {
        return Error{"cannot read '" + path + "': " + kvwin32::fileErrorText(err, kMaxInputBytes)};
    }
    return bytes;
}

}  // namespace kvhost
