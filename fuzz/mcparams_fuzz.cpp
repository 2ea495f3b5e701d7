// The Monte Carlo parameter file check on any bytes: it must end, read nothing past its
// buffers and answer either a pass or an error that ends with the file's name.
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "pages/analysis/MCWCParamFile.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    std::FILE* file = fmemopen(const_cast<std::uint8_t*>(data), size, "rb");
    if (file == nullptr) {
        return 0;  // fmemopen refuses an empty buffer on some C libraries
    }
    const std::string path = "C:\\fuzz\\p.mcp";
    const auto error = CheckParameterStream(file, path, {": NAME - ", ": VALUE - "});
    std::fclose(file);
    if (error && (error->rfind("Error", 0) != 0 || !error->ends_with(path))) {
        std::abort();
    }
    return 0;
}
