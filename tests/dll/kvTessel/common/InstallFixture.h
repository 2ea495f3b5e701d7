// A fixture for the installation-environment tests: every test gets its own temporary folder
// for the installation tree and the home folder, an empty registry, a fresh environment
// overlay, a fresh installation library and fresh caches, and leaves all of them as it found
// them.
#pragma once

#include <string>
#include <string_view>

#include <gtest/gtest.h>

#include "InstallEnvironment.h"
#include "TempDir.h"
#include "kvwin32/crt.h"
#include "kvwin32/drives.h"
#include "kvwin32/environment.h"
#include "kvwin32/registry_file.h"
#include "tds/csf.h"
#include "tds/tds.h"
#include <windows.h>

namespace kvtest {

class InstallFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        resetAll();
        // Start from an environment that names nothing of the product's.
        for (const char* name :
             {"TDSROOT", "VENTRAINIPATH", "KV_SETUP_PATH", "HOME", "HOMEPATH", install::kPathMarker,
              install::kRegisterInMachineSwitch, install::kDisableAdminSwitch, "OAPERUSERTLIBREG"})
            SetEnvironmentVariableA(name, nullptr);
        SetEnvironmentVariableA("WINDIR", dir.win("windows").c_str());
    }

    void TearDown() override { resetAll(); }

    static void resetAll() {
        kvwin32::resetEnvironmentOverlay();
        kvwin32::clearRegistry();
        tds::resetInstallation();
        tds::resetSetupSearch();
        resetInstallEnvironment();
    }

    static void setVar(const char* name, std::string_view value) {
        SetEnvironmentVariableA(name, std::string(value).c_str());
    }

    static std::string var(const char* name) {
        const char* value = kvcrt::getenv(name);
        return value ? value : "<unset>";
    }

    // Imports ".reg" text after its header.
    static void loadRegistry(std::string_view body) {
        std::string text = "Windows Registry Editor Version 5.00\r\n\r\n" + std::string(body);
        ASSERT_EQ(kvwin32::loadRegistryText(text).error, static_cast<DWORD>(ERROR_SUCCESS));
    }

    // A path doubled for a ".reg" string value.
    static std::string regEscape(std::string_view text) {
        std::string out;
        for (char c : text) {
            if (c == '\\' || c == '"')
                out += '\\';
            out += c;
        }
        return out;
    }

    // The host path a Windows path answer names, or "<none>".
    static std::string hostOf(const std::string& windowsPath) {
        auto host = kvwin32::hostFromWindows(windowsPath);
        return host ? *host : "<none>";
    }

    kvwin32::PathStateSaver paths;
    TempDir dir;
};

}  // namespace kvtest
