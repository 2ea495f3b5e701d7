// Locale information. The system and user default locales are both the POSIX locale of the
// process (LC_ALL, then LANG, read each time they are asked for), mapped to the Windows locale
// of the same language and country.
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "kvwin32/winbase.h"
#include "kvwin32/winerror.h"
#include "kvwin32/winnls.h"

namespace {

// ERROR_INVALID_FLAGS: what GetLocaleInfo reports for an information type it does not know.
constexpr DWORD kErrorInvalidFlags = 1004;
// Flags that may accompany an LCTYPE without changing what we answer.
constexpr LCTYPE kLocaleNoUserOverride = 0x80000000;
constexpr LCTYPE kLocaleUseCpAcp = 0x40000000;

struct LocaleEntry {
    std::string_view posix;    // language, or language_COUNTRY, as in LANG
    LCID lcid;                 // the Windows locale identifier
    std::string_view abbrev;   // LOCALE_SABBREVLANGNAME
    std::string_view english;  // LOCALE_SENGLANGUAGE
};

// The first entry of each language is the one a bare language (or an unknown country of it)
// maps to.
constexpr LocaleEntry kLocales[] = {
    {"en_US", 0x0409, "ENU", "English"},     // English (United States), also C and POSIX
    {"en_GB", 0x0809, "ENG", "English"},     // English (United Kingdom)
    {"en_AU", 0x0C09, "ENA", "English"},     // English (Australia)
    {"en_CA", 0x1009, "ENC", "English"},     // English (Canada)
    {"en_NZ", 0x1409, "ENZ", "English"},     // English (New Zealand)
    {"en_IE", 0x1809, "ENI", "English"},     // English (Ireland)
    {"de_DE", 0x0407, "DEU", "German"},      // German (Germany)
    {"de_CH", 0x0807, "DES", "German"},      // German (Switzerland)
    {"de_AT", 0x0C07, "DEA", "German"},      // German (Austria)
    {"de_LU", 0x1007, "DEL", "German"},      // German (Luxembourg)
    {"de_LI", 0x1407, "DEC", "German"},      // German (Liechtenstein)
    {"fr_FR", 0x040C, "FRA", "French"},      // French (France)
    {"fr_BE", 0x080C, "FRB", "French"},      // French (Belgium)
    {"fr_CA", 0x0C0C, "FRC", "French"},      // French (Canada)
    {"fr_CH", 0x100C, "FRS", "French"},      // French (Switzerland)
    {"fr_LU", 0x140C, "FRL", "French"},      // French (Luxembourg)
    {"ja_JP", 0x0411, "JPN", "Japanese"},    // Japanese (Japan)
    {"zh_CN", 0x0804, "CHS", "Chinese"},     // Chinese (Simplified, PRC)
    {"zh_TW", 0x0404, "CHT", "Chinese"},     // Chinese (Traditional, Taiwan)
    {"zh_HK", 0x0C04, "ZHH", "Chinese"},     // Chinese (Traditional, Hong Kong SAR)
    {"zh_SG", 0x1004, "ZHI", "Chinese"},     // Chinese (Simplified, Singapore)
    {"ko_KR", 0x0412, "KOR", "Korean"},      // Korean (Korea)
    {"it_IT", 0x0410, "ITA", "Italian"},     // Italian (Italy)
    {"it_CH", 0x0810, "ITS", "Italian"},     // Italian (Switzerland)
    {"es_ES", 0x0C0A, "ESN", "Spanish"},     // Spanish (Spain, international sort)
    {"es_MX", 0x080A, "ESM", "Spanish"},     // Spanish (Mexico)
    {"pt_BR", 0x0416, "PTB", "Portuguese"},  // Portuguese (Brazil)
    {"pt_PT", 0x0816, "PTG", "Portuguese"},  // Portuguese (Portugal)
    {"nl_NL", 0x0413, "NLD", "Dutch"},       // Dutch (Netherlands)
    {"nl_BE", 0x0813, "NLB", "Dutch"},       // Dutch (Belgium)
    {"ru_RU", 0x0419, "RUS", "Russian"},     // Russian (Russia)
    {"pl_PL", 0x0415, "PLK", "Polish"},      // Polish (Poland)
    {"cs_CZ", 0x0405, "CSY", "Czech"},       // Czech (Czech Republic)
    {"sk_SK", 0x041B, "SKY", "Slovak"},      // Slovak (Slovakia)
    {"hu_HU", 0x040E, "HUN", "Hungarian"},   // Hungarian (Hungary)
    {"sv_SE", 0x041D, "SVE", "Swedish"},     // Swedish (Sweden)
    {"da_DK", 0x0406, "DAN", "Danish"},      // Danish (Denmark)
    {"fi_FI", 0x040B, "FIN", "Finnish"},     // Finnish (Finland)
    {"nb_NO", 0x0414, "NOR", "Norwegian"},   // Norwegian Bokmal (Norway)
    {"nn_NO", 0x0814, "NON", "Norwegian"},   // Norwegian Nynorsk (Norway)
    {"tr_TR", 0x041F, "TRK", "Turkish"},     // Turkish (Turkey)
    {"el_GR", 0x0408, "ELL", "Greek"},       // Greek (Greece)
    {"he_IL", 0x040D, "HEB", "Hebrew"},      // Hebrew (Israel)
    {"ar_SA", 0x0401, "ARA", "Arabic"},      // Arabic (Saudi Arabia)
    {"th_TH", 0x041E, "THA", "Thai"},        // Thai (Thailand)
    {"uk_UA", 0x0422, "UKR", "Ukrainian"},   // Ukrainian (Ukraine)
    {"sl_SI", 0x0424, "SLV", "Slovenian"},   // Slovenian (Slovenia)
    {"hr_HR", 0x041A, "HRV", "Croatian"},    // Croatian (Croatia)
    {"ro_RO", 0x0418, "ROM", "Romanian"},    // Romanian (Romania)
    {"bg_BG", 0x0402, "BGR", "Bulgarian"},   // Bulgarian (Bulgaria)
    {"ca_ES", 0x0403, "CAT", "Catalan"},     // Catalan (Spain)
    {"vi_VN", 0x042A, "VIT", "Vietnamese"},  // Vietnamese (Vietnam)
    {"id_ID", 0x0421, "IND", "Indonesian"},  // Indonesian (Indonesia)
};

constexpr const LocaleEntry& kDefaultLocale = kLocales[0];

// The POSIX locale name in force: LC_ALL, then LANG; an empty value counts as unset.
std::string_view posixLocale() {
    for (const char* name : {"LC_ALL", "LANG"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return value;
    }
    return "C";
}

const LocaleEntry& entryForPosix(std::string_view locale) {
    // "de_DE.UTF-8@euro" names language "de" and country "DE".
    locale = locale.substr(0, locale.find_first_of(".@"));
    std::string_view language = locale.substr(0, locale.find('_'));
    const LocaleEntry* firstOfLanguage = nullptr;
    for (const LocaleEntry& entry : kLocales) {
        if (entry.posix == locale)
            return entry;
        if (!firstOfLanguage && entry.posix.substr(0, entry.posix.find('_')) == language)
            firstOfLanguage = &entry;
    }
    // C, POSIX and every language Windows has no name for here read as US English.
    return firstOfLanguage ? *firstOfLanguage : kDefaultLocale;
}

const LocaleEntry* entryForLcid(LCID lcid) {
    if (lcid == LOCALE_SYSTEM_DEFAULT || lcid == LOCALE_USER_DEFAULT || lcid == 0)
        return &entryForPosix(posixLocale());
    for (const LocaleEntry& entry : kLocales) {
        if (entry.lcid == lcid)
            return &entry;
    }
    return nullptr;
}

}  // namespace

extern "C" LCID GetSystemDefaultLCID() {
    return entryForPosix(posixLocale()).lcid;
}

extern "C" LCID GetUserDefaultLCID() {
    return entryForPosix(posixLocale()).lcid;
}

// With size 0 returns the size needed (terminator included) and writes nothing; a buffer too
// small fails with ERROR_INSUFFICIENT_BUFFER rather than truncating.
extern "C" int GetLocaleInfoA(LCID locale, LCTYPE type, LPSTR data, int size) {
    if (size < 0 || (size > 0 && !data)) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    const LocaleEntry* entry = entryForLcid(locale);
    if (!entry) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return 0;
    }
    std::string_view text;
    switch (type & ~(kLocaleNoUserOverride | kLocaleUseCpAcp)) {
        case LOCALE_SABBREVLANGNAME:
            text = entry->abbrev;
            break;
        case LOCALE_SENGLANGUAGE:
            text = entry->english;
            break;
        default:
            SetLastError(kErrorInvalidFlags);
            return 0;
    }
    int needed = static_cast<int>(text.size() + 1);
    if (size == 0)
        return needed;
    if (size < needed) {
        SetLastError(ERROR_INSUFFICIENT_BUFFER);
        return 0;
    }
    std::memcpy(data, text.data(), text.size());
    data[text.size()] = '\0';
    return needed;
}
