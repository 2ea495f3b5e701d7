#include "GoldenImage.h"

#include <cstdlib>
#include <filesystem>
#include <optional>

namespace kvtest {

std::string goldenDir() {
    const char* dir = std::getenv("KV_GOLDEN_DIR");
    return dir != nullptr ? dir : std::string();
}

namespace {

bool updating() {
    const char* update = std::getenv("KV_UPDATE_GOLDEN");
    return update != nullptr && std::string(update) == "1";
}

// A fresh folder for the pictures of a failed comparison, kept after the test.
std::string failureFolder() {
    std::string pattern = (std::filesystem::temp_directory_path() / "kv-golden-XXXXXX").string();
    const char* made = mkdtemp(pattern.data());
    return made != nullptr ? std::string(made) : std::string();
}

}  // namespace

::testing::AssertionResult matchesGolden(const std::string& name,
                                         const kvwin32::PixelImage& actual) {
    if (goldenDir().empty()) {
        return ::testing::AssertionFailure() << "KV_GOLDEN_DIR is not set";
    }
    if (actual.width <= 0 || actual.height <= 0) {
        return ::testing::AssertionFailure() << name << ": nothing was rendered";
    }
    const std::string reference = goldenDir() + "/" + name + ".png";
    if (updating()) {
        if (!kvwin32::writePng(actual, reference)) {
            return ::testing::AssertionFailure() << "cannot write " << reference;
        }
        return ::testing::AssertionSuccess() << "updated " << reference;
    }
    const std::optional<kvwin32::PixelImage> expected = kvwin32::readPng(reference);
    kvwin32::ImageDifference difference;
    if (expected) {
        difference = kvwin32::compareImages(*expected, actual);
        if (difference.differing == 0) {
            return ::testing::AssertionSuccess();
        }
    }
    const std::string folder = failureFolder();
    const std::string actualFile = folder + "/" + name + ".actual.png";
    const std::string diffFile = folder + "/" + name + ".diff.png";
    kvwin32::writePng(actual, actualFile);
    auto failure = ::testing::AssertionFailure();
    if (!expected) {
        failure << name << ": no readable reference " << reference;
    } else {
        kvwin32::writePng(difference.picture, diffFile);
        failure << name << ": " << difference.differing << " pixels differ from " << reference
                << " (" << expected->width << "x" << expected->height << " expected, "
                << actual.width << "x" << actual.height << " rendered); difference: " << diffFile;
    }
    failure << "; actual: " << actualFile
            << " (scripts/update-golden makes it the reference when the change is wanted)";
    return failure;
}

}  // namespace kvtest
