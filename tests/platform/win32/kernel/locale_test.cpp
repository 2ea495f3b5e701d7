// The default locale from LC_ALL and LANG, and GetLocaleInfoA's return rules.
#include <cstdlib>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"

namespace {

// Saves LC_ALL and LANG of the process and puts them back.
class Locale : public ::testing::Test {
  protected:
    void SetUp() override {
        for (int i = 0; i < 2; ++i) {
            const char* value = std::getenv(kNames[i]);
            if (value)
                m_saved[i] = value;
        }
    }
    void TearDown() override {
        for (int i = 0; i < 2; ++i) {
            if (m_saved[i])
                setenv(kNames[i], m_saved[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
    }
    static void use(const char* lcAll, const char* lang) {
        if (lcAll)
            setenv("LC_ALL", lcAll, 1);
        else
            unsetenv("LC_ALL");
        if (lang)
            setenv("LANG", lang, 1);
        else
            unsetenv("LANG");
    }
    static std::string info(LCID lcid, LCTYPE type) {
        char buf[64] = "";
        int n = GetLocaleInfoA(lcid, type, buf, sizeof buf);
        EXPECT_EQ(n, static_cast<int>(std::string(buf).size() + 1));
        return buf;
    }

    static constexpr const char* kNames[2] = {"LC_ALL", "LANG"};
    std::optional<std::string> m_saved[2];
};

TEST_F(Locale, LanguageNameAndLcidFromLang) {
    struct Row {
        const char* lang;
        const char* abbrev;
        LCID lcid;
    };
    const Row rows[] = {
        {"de_DE.UTF-8", "DEU", 0x0407},
        {"ja_JP.UTF-8", "JPN", 0x0411},
        {"C", "ENU", 0x0409},
        {"POSIX", "ENU", 0x0409},
        {"C.UTF-8", "ENU", 0x0409},
        {"en_US.UTF-8", "ENU", 0x0409},
        {"en_GB.UTF-8", "ENG", 0x0809},
        {"fr_FR@euro", "FRA", 0x040C},
        {"zh_CN.GB18030", "CHS", 0x0804},
        {"zh_TW.UTF-8", "CHT", 0x0404},
        {"ko_KR.EUC-KR", "KOR", 0x0412},
        {"de_AT", "DEA", 0x0C07},
        {"de", "DEU", 0x0407},
        {"de_XX", "DEU", 0x0407},
        {"pt_BR.UTF-8", "PTB", 0x0416},
        {"es_ES.UTF-8", "ESN", 0x0C0A},
        {"xx_YY.UTF-8", "ENU", 0x0409},
        {"", "ENU", 0x0409},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.lang);
        use(nullptr, row.lang);
        EXPECT_EQ(info(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME), row.abbrev);
        EXPECT_EQ(info(LOCALE_USER_DEFAULT, LOCALE_SABBREVLANGNAME), row.abbrev);
        EXPECT_EQ(GetSystemDefaultLCID(), row.lcid);
        EXPECT_EQ(GetUserDefaultLCID(), row.lcid);
    }
}

TEST_F(Locale, LcAllWinsOverLangUnlessEmpty) {
    use("ja_JP.UTF-8", "de_DE.UTF-8");
    EXPECT_EQ(info(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME), "JPN");
    use("", "de_DE.UTF-8");
    EXPECT_EQ(info(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME), "DEU");
    use(nullptr, nullptr);
    EXPECT_EQ(info(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME), "ENU");
}

TEST_F(Locale, ExplicitLcidAndEnglishName) {
    use(nullptr, "C");
    EXPECT_EQ(info(0x0407, LOCALE_SABBREVLANGNAME), "DEU");
    EXPECT_EQ(info(0x0407, LOCALE_SENGLANGUAGE), "German");
    EXPECT_EQ(info(LOCALE_USER_DEFAULT, LOCALE_SENGLANGUAGE), "English");
    char buf[8];
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoA(0x7777, LOCALE_SABBREVLANGNAME, buf, sizeof buf), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
    EXPECT_EQ(GetLocaleInfoA(LOCALE_USER_DEFAULT, 0x7777, buf, sizeof buf), 0);
    EXPECT_NE(GetLastError(), 0u);
}

TEST_F(Locale, SizeRules) {
    use(nullptr, "fr_FR.UTF-8");
    char buf[8] = "xxxxxxx";
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, nullptr, 0), 4);
    SetLastError(0);
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, buf, 3), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INSUFFICIENT_BUFFER));
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, buf, 4), 4);
    EXPECT_STREQ(buf, "FRA");
    EXPECT_EQ(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_SABBREVLANGNAME, nullptr, 4), 0);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
}

}  // namespace
