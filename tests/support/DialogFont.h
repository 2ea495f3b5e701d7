// Chooses the dialog font for the length of a test: "" for the built-in bitmap font (tests of
// its exact cells and metrics), or a font file. The font in use before is chosen again after.
#pragma once

#include <gtest/gtest.h>

#include <string>

#include "kvwin32/render.h"

namespace kvtest {

class DialogFontScope {
  public:
    explicit DialogFontScope(const std::string& file) : m_previous(kvwin32::dialogFontFile()) {
        EXPECT_TRUE(kvwin32::setDialogFont(file)) << file;
    }
    ~DialogFontScope() { kvwin32::setDialogFont(m_previous); }
    DialogFontScope(const DialogFontScope&) = delete;
    DialogFontScope& operator=(const DialogFontScope&) = delete;

  private:
    std::string m_previous;
};

}  // namespace kvtest
