// The environment overlay: Windows return rules, case-insensitive names, and the host's own
// environment left alone.
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <string>

#include <gtest/gtest.h>

#include "internal/environment.h"
#include "kvwin32/crt.h"
#include "kvwin32/environment.h"
#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"

namespace {

class Environment : public ::testing::Test {
  protected:
    void SetUp() override { kvwin32::resetEnvironmentOverlay(); }
    void TearDown() override { kvwin32::resetEnvironmentOverlay(); }
};

TEST_F(Environment, GetReturnsLengthOrSizeNeeded) {
    ASSERT_TRUE(SetEnvironmentVariableA("KvTestVar", "SomeValue"));
    char buf[32];
    std::strcpy(buf, "foo");
    EXPECT_EQ(GetEnvironmentVariableA("KvTestVar", nullptr, 0), 10u);
    EXPECT_EQ(GetEnvironmentVariableA("KvTestVar", buf, 9), 10u);
    EXPECT_STREQ(buf, "foo") << "a too-small buffer is left alone";
    EXPECT_EQ(GetEnvironmentVariableA("KvTestVar", buf, 10), 9u);
    EXPECT_STREQ(buf, "SomeValue");
}

TEST_F(Environment, NamesAreCaseInsensitiveAndKeepTheirFirstSpelling) {
    ASSERT_TRUE(SetEnvironmentVariableA("KvMixed", "one"));
    ASSERT_TRUE(SetEnvironmentVariableA("KVMIXED", "two"));
    char buf[16];
    EXPECT_EQ(GetEnvironmentVariableA("kvmixed", buf, sizeof buf), 3u);
    EXPECT_STREQ(buf, "two");
    ASSERT_TRUE(SetEnvironmentVariableA("kVmIxEd", nullptr));
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariableA("KvMixed", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
}

TEST_F(Environment, MissingEmptyAndNullNames) {
    char buf[8] = "foo";
    SetLastError(0);
    EXPECT_EQ(GetEnvironmentVariableA("KV_SURELY_NOT_SET_ANYWHERE", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));
    EXPECT_STREQ(buf, "foo");
    EXPECT_EQ(GetEnvironmentVariableA(nullptr, buf, sizeof buf), 0u);
    EXPECT_EQ(GetEnvironmentVariableA("", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ENVVAR_NOT_FOUND));

    // An existing empty variable: 0 like a missing one, but an empty string and no error.
    ASSERT_TRUE(SetEnvironmentVariableA("KvEmpty", ""));
    SetLastError(ERROR_INVALID_DATA);
    EXPECT_EQ(GetEnvironmentVariableA("KvEmpty", buf, sizeof buf), 0u);
    EXPECT_EQ(GetLastError(), 0u);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(GetEnvironmentVariableA("KvEmpty", nullptr, 0), 1u);
}

TEST_F(Environment, SetRefusesInvalidNames) {
    EXPECT_FALSE(SetEnvironmentVariableA("", "x"));
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_FALSE(SetEnvironmentVariableA("A=B", "x"));
    EXPECT_FALSE(SetEnvironmentVariableA(nullptr, "x"));
    EXPECT_TRUE(SetEnvironmentVariableA("=C:", "C:\\work")) << "per-drive directories are names";
    EXPECT_TRUE(SetEnvironmentVariableA("KvNeverSet", nullptr)) << "removing nothing succeeds";
}

TEST_F(Environment, ChangesNeverReachTheHostEnvironment) {
    const char* hostPath = std::getenv("PATH");
    std::string before = hostPath ? hostPath : "";
    ASSERT_TRUE(SetEnvironmentVariableA("Path", "C:\\Windows"));
    ASSERT_TRUE(SetEnvironmentVariableA("KV_OVERLAY_ONLY", "1"));
    ASSERT_EQ(_putenv("KV_OVERLAY_PUT=1"), 0);
    EXPECT_EQ(std::getenv("KV_OVERLAY_ONLY"), nullptr);
    EXPECT_EQ(std::getenv("KV_OVERLAY_PUT"), nullptr);
    const char* after = std::getenv("PATH");
    EXPECT_EQ(after ? after : "", before);
    EXPECT_STREQ(kvcrt::getenv("PATH"), "C:\\Windows");
}

TEST_F(Environment, OverlayStartsFromTheProcessEnvironment) {
    const char* home = std::getenv("PATH");
    ASSERT_NE(home, nullptr);
    EXPECT_STREQ(kvcrt::getenv("path"), home);
    ASSERT_TRUE(SetEnvironmentVariableA("PATH", "changed"));
    kvwin32::resetEnvironmentOverlay();
    EXPECT_STREQ(kvcrt::getenv("Path"), home);
}

TEST_F(Environment, PutenvFollowsMicrosoftRules) {
    struct Row {
        const char* input;
        int result;
        const char* valueAfter;  // of KVPUT, null when unset
    };
    const Row rows[] = {
        {"KVPUT=a", 0, "a"},    {"kvput=b=c", 0, "b=c"}, {"KVPUT=", 0, nullptr},
        {"KVPUT", -1, nullptr}, {"=x", -1, nullptr},     {"", -1, nullptr},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.input);
        kvwin32::resetEnvironmentOverlay();
        if (row.valueAfter == nullptr && row.result == 0) {
            ASSERT_EQ(_putenv("KVPUT=before"), 0);
        }
        errno = 0;
        EXPECT_EQ(_putenv(row.input), row.result);
        if (row.result != 0) {
            EXPECT_EQ(errno, EINVAL);
        }
        const char* value = kvcrt::getenv("KVPUT");
        if (row.valueAfter) {
            ASSERT_NE(value, nullptr);
            EXPECT_STREQ(value, row.valueAfter);
        } else {
            EXPECT_EQ(value, nullptr);
        }
    }
    EXPECT_EQ(_putenv(nullptr), -1);
}

TEST_F(Environment, GetenvPointerSurvivesChangesToOtherVariables) {
    ASSERT_TRUE(SetEnvironmentVariableA("KvStable", "stays"));
    const char* stable = kvcrt::getenv("kvstable");
    ASSERT_NE(stable, nullptr);
    for (int i = 0; i < 200; ++i) {
        std::string name = "KvOther" + std::to_string(i);
        ASSERT_TRUE(SetEnvironmentVariableA(name.c_str(), "x"));
    }
    EXPECT_STREQ(stable, "stays");
    EXPECT_EQ(kvcrt::getenv(nullptr), nullptr);
}

TEST_F(Environment, InternalAccessSharesTheOverlay) {
    kvwin32::internal::setVariable("KvInternal", "v");
    char buf[8];
    EXPECT_EQ(GetEnvironmentVariableA("KVINTERNAL", buf, sizeof buf), 1u);
    ASSERT_TRUE(SetEnvironmentVariableA("kvinternal", nullptr));
    EXPECT_FALSE(kvwin32::internal::getVariable("KvInternal").has_value());
}

TEST_F(Environment, ExpandTable) {
    ASSERT_TRUE(SetEnvironmentVariableA("EnvVar", "Long long value"));
    ASSERT_TRUE(SetEnvironmentVariableA("Short", "s"));
    ASSERT_TRUE(SetEnvironmentVariableA("KvBlank", ""));
    struct Row {
        const char* source;
        const char* expected;
    };
    const Row rows[] = {
        {"%EnvVar%", "Long long value"},
        {"a%envvar%b", "aLong long valueb"},
        {"%SHORT%%short%", "ss"},
        {"%NotAnEnvVar%", "%NotAnEnvVar%"},
        {"%NotSet%Short%", "%NotSets"},
        {"100%", "100%"},
        {"%%", "%%"},
        {"50% of %Short%", "50% of s"},
        {"x%KvBlank%y", "xy"},
        {"", ""},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.source);
        char buf[64];
        DWORD n = ExpandEnvironmentStringsA(row.source, buf, sizeof buf);
        EXPECT_EQ(n, std::strlen(row.expected) + 1);
        EXPECT_STREQ(buf, row.expected);
    }
}

TEST_F(Environment, ExpandReturnsSizeNeededWhenTooSmall) {
    ASSERT_TRUE(SetEnvironmentVariableA("EnvVar", "Long long value"));
    char buf[32] = "untouched";
    EXPECT_EQ(ExpandEnvironmentStringsA("%EnvVar%", nullptr, 0), 16u);
    EXPECT_EQ(ExpandEnvironmentStringsA("%EnvVar%", buf, 12), 16u);
    EXPECT_STREQ(buf, "untouched");
    EXPECT_EQ(ExpandEnvironmentStringsA("%EnvVar%", buf, 16), 16u);
    EXPECT_STREQ(buf, "Long long value");
    EXPECT_EQ(ExpandEnvironmentStringsA(nullptr, buf, sizeof buf), 1u);
    EXPECT_STREQ(buf, "");
}

}  // namespace
