// The localized resource library: which file is looked for, when the English one stands in,
// what each load mode does to the module state, and the record of loaded libraries.
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "InstallFixture.h"
#include "ResourceLibrary.h"

namespace {

using kvtest::InstallFixture;

HINSTANCE fakeHandle(std::uintptr_t value) {
    return reinterpret_cast<HINSTANCE>(value);
}

// A framework module state the test controls, recording what the loader does with it.
struct FakeModuleState final : ResourceModuleState {
    bool application = true;
    HINSTANCE resources = fakeHandle(0x1000);
    HINSTANCE app = fakeHandle(0x2000);
    HINSTANCE self = fakeHandle(0x3000);
    std::vector<std::string> frameworkLoads;

    bool hasApplication() const override { return application; }
    HINSTANCE resourceHandle() const override { return resources; }
    void setResourceHandle(HINSTANCE handle) override { resources = handle; }
    HINSTANCE appInstance() const override { return app; }
    HINSTANCE moduleInstance() const override { return self; }
    HMODULE loadLibrary(LPCSTR path) override {
        frameworkLoads.push_back(path);
        return ResourceModuleState::loadLibrary(path);
    }
};

// Keeps the host's locale variables, which the system locale is read from, as they were.
class SavedLocale {
  public:
    SavedLocale() {
        for (int i = 0; i < 2; ++i) {
            if (const char* value = std::getenv(kNames[i]))
                m_values[i] = value;
        }
    }
    ~SavedLocale() {
        for (int i = 0; i < 2; ++i) {
            if (m_values[i])
                setenv(kNames[i], m_values[i]->c_str(), 1);
            else
                unsetenv(kNames[i]);
        }
    }
    static void use(const char* locale) {
        setenv("LC_ALL", locale, 1);
        setenv("LANG", locale, 1);
    }

  private:
    static constexpr const char* kNames[2] = {"LC_ALL", "LANG"};
    std::optional<std::string> m_values[2];
};

class ResourceLibraryTest : public InstallFixture {
  protected:
    void SetUp() override {
        InstallFixture::SetUp();
        setVar("TDSROOT", dir.win("root"));
        SavedLocale::use("en_US");
        // The platform library itself stands in for a resource library: a link to it loads
        // the object that is already there, under its known handle.
        ASSERT_TRUE(GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS,
                                       reinterpret_cast<LPCSTR>(&GetLastError), &loaded));
        char file[1024] = {};
        GetModuleFileNameA(loaded, file, sizeof file);
        platformLibrary = hostOf(file);
    }

    void TearDown() override {
        setResourceModuleState(nullptr);
        InstallFixture::TearDown();
    }

    std::string resourceFile(const char* language) const {
        return "root/tools/kvResources/" + std::string(language) + "/kvTessel64_res.dll";
    }
    void installLibrary(const char* language) {
        dir.mkdir("root/tools/kvResources/" + std::string(language));
        ASSERT_EQ(symlink(platformLibrary.c_str(), dir.host(resourceFile(language)).c_str()), 0);
    }
    void installBroken(const char* language) { dir.write(resourceFile(language), "not a library"); }

    static const LoadedResourceLibrary* record(const char* module) {
        auto& map = InstallEnvironmentCache::instance().resourceLibraries;
        auto it = map.find(module);
        return it == map.end() ? nullptr : &it->second;
    }

    SavedLocale locale;
    HMODULE loaded = nullptr;
    std::string platformLibrary;
    FakeModuleState state;
};

TEST_F(ResourceLibraryTest, ModesTable) {
    installLibrary("ENU");
    struct Row {
        ResourceLoadMode mode;
        bool application;
        bool loads;
        bool becomesCurrent;
    };
    const Row rows[] = {
        {ResourceLoadMode::MakeCurrent, true, true, true},
        {ResourceLoadMode::LoadOnly, true, true, false},
        {ResourceLoadMode::DataFile, true, true, false},
        {ResourceLoadMode::DataFile, false, true, false},
        {ResourceLoadMode::MakeCurrent, false, false, false},
        {ResourceLoadMode::LoadOnly, false, false, false},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(testing::Message() << "mode " << static_cast<int>(row.mode) << " application "
                                        << row.application);
        resetInstallEnvironment();
        setVar("TDSROOT", dir.win("root"));
        FakeModuleState fresh;
        fresh.application = row.application;
        HMODULE result = LoadResourceLibrary("kvTessel64", row.mode, false, fresh);
        EXPECT_EQ(result, row.loads ? loaded : nullptr);
        EXPECT_EQ(fresh.resources, row.becomesCurrent ? loaded : fakeHandle(0x1000));
        const LoadedResourceLibrary* entry = record("kvTessel64");
        ASSERT_EQ(entry != nullptr, row.loads);
        if (entry) {
            EXPECT_EQ(entry->previous, fakeHandle(0x1000));
            EXPECT_EQ(entry->library, loaded);
        }
    }
}

TEST_F(ResourceLibraryTest, MissingLocaleFolderLoadsNothingEvenWithEnglish) {
    installLibrary("ENU");
    SavedLocale::use("de_DE");
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, true, state),
              nullptr);
    EXPECT_EQ(state.resources, fakeHandle(0x1000));
    EXPECT_EQ(record("kvTessel64"), nullptr);
    EXPECT_TRUE(state.frameworkLoads.empty());
    // Without the locale the English library is the one asked for.
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, false, state),
              loaded);
}

TEST_F(ResourceLibraryTest, BrokenLocaleLibraryFallsBackToEnglish) {
    installLibrary("ENU");
    installBroken("DEU");
    SavedLocale::use("de_DE");
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, true, state),
              loaded);
    ASSERT_EQ(state.frameworkLoads.size(), 1u);
    EXPECT_EQ(hostOf(state.frameworkLoads[0]), dir.host(resourceFile("ENU")));
    EXPECT_EQ(state.resources, loaded);
}

TEST_F(ResourceLibraryTest, BrokenLibraryWithoutEnglishLoadsNothing) {
    installBroken("DEU");
    SavedLocale::use("de_DE");
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, true, state),
              nullptr);
    EXPECT_EQ(state.resources, fakeHandle(0x1000));
    EXPECT_EQ(record("kvTessel64"), nullptr);
}

TEST_F(ResourceLibraryTest, SecondLoadReusesTheRecord) {
    installLibrary("ENU");
    ASSERT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, false, state),
              loaded);
    state.resources = fakeHandle(0x5000);
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, false, state),
              loaded);
    EXPECT_EQ(state.resources, loaded);
    EXPECT_EQ(record("kvTessel64")->previous, fakeHandle(0x1000)) << "the first load's handle";
}

TEST_F(ResourceLibraryTest, PluggedStateIsUsedByDefault) {
    installLibrary("ENU");
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, false), nullptr)
        << "no framework yet: no application object";
    setResourceModuleState(&state);
    EXPECT_EQ(LoadResourceLibrary("kvTessel64", ResourceLoadMode::MakeCurrent, false), loaded);
    setResourceModuleState(nullptr);
    EXPECT_EQ(state.resources, loaded);
}

}  // namespace
