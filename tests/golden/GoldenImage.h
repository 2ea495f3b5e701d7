// Comparing a rendered picture with its golden image under tests/golden/images.
//
// A picture that differs fails the check; the actual picture and a difference picture (equal
// pixels washed out, differing ones red) are then written to a fresh temporary folder that is
// kept and named in the failure, never into the source or build tree. With KV_UPDATE_GOLDEN=1
// in the environment (scripts/update-golden) the picture is written as the new reference
// instead.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kvwin32/pixels.h"

namespace kvtest {

// The folder of the reference images (KV_GOLDEN_DIR, set by the build for the tests).
std::string goldenDir();

// Compares the picture with the reference NAME.png; a failure message, or success.
::testing::AssertionResult matchesGolden(const std::string& name,
                                         const kvwin32::PixelImage& actual);

}  // namespace kvtest
