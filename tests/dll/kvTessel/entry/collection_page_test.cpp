// Scenario tests of the Data Collection page through the Robot: what each stored mask shows,
// the mask OK writes back, the coupling of voltages and digital states at markers (on the
// list's close-up), the Digital list's enable rule, and the modified marking.
#include <gtest/gtest.h>

#include <array>
#include <string>

#include "SheetFixture.h"
#include "kvTessel/DataCollectionSettings.h"

namespace {

using kvtest::SheetFixture;

constexpr const char* kAll = "All";
constexpr const char* kAllBut = "All but Internal Subcircuits";
constexpr const char* kMarkers = "At Markers Only";
constexpr const char* kNone = "None";
const std::array<std::string, 5> kLists = {
    "&Voltages:", "&Currents:", "&Power:", "&Digital:", "&Noise:"};

class CollectionPageTest : public SheetFixture {
  protected:
    void SetUp() override {
        SheetFixture::SetUp();
        m_profile.dataCollection = &m_collection;
    }
    void openPage() {
        openModeless();
        clickTab("Data Collection ");
    }
    std::array<std::string, 5> shown() {
        std::array<std::string, 5> texts;
        for (std::size_t i = 0; i < kLists.size(); ++i) {
            texts[i] = selected(kLists[i]);
        }
        return texts;
    }
    DataCollectionSettings m_collection;
};

struct MaskCase {
    const char* name;
    std::uint32_t stored;
    std::array<std::string, 5> shown;
    bool digitalEnabled;
    std::uint32_t written;  // by OK without changes
};

TEST_F(CollectionPageTest, StoredMasksAreShownAndWrittenBackInFull) {
    const MaskCase cases[] = {
        {"old value 0: All everywhere", 0, {kAll, kAll, kAll, kAll, kAll}, true, 0x111110},
        {"old value 1", 1, {kAllBut, kAllBut, kAllBut, kAllBut, kAllBut}, true, 0x222220},
        {"old value 2: noise cannot be at markers",
         2,
         {kMarkers, kMarkers, kMarkers, kMarkers, kAll},
         false,
         0x144440},
        {"old value 3", 3, {kNone, kNone, kNone, kNone, kNone}, true, 0x888880},
        {"several bits: the first wins; empty nibbles show All",
         0x00A30030,
         {kAll, kAll, kAll, kAll, kAllBut},
         true,
         0x00211110},
        {"voltages at markers with digital All is shown unchanged",
         0x00112140,
         {kMarkers, kAll, kAllBut, kAll, kAll},
         true,
         0x00112140},
        {"unused bits are dropped",
         0xFF88888F,
         {kNone, kNone, kNone, kNone, kNone},
         true,
         0x888880},
    };
    for (const MaskCase& c : cases) {
        SCOPED_TRACE(c.name);
        m_collection.collectMask = c.stored;
        openPage();
        EXPECT_EQ(shown(), c.shown);
        EXPECT_EQ(enabled("&Digital:"), c.digitalEnabled);
        EXPECT_EQ(kvwin32::Robot::items(control("&Noise:")),
                  (std::vector<std::string>{kAll, kAllBut, kNone}));
        click("OK");
        EXPECT_EQ(m_collection.collectMask, c.written);
        deleteSheet();
    }
}

TEST_F(CollectionPageTest, VoltagesAndDigitalAtMarkersGoTogether) {
    m_collection.collectMask = 0x111110;
    openPage();
    select("&Digital:", kMarkers);
    EXPECT_EQ(selected("&Voltages:"), kMarkers);
    EXPECT_FALSE(enabled("&Digital:"));

    select("&Voltages:", kAll);
    EXPECT_EQ(selected("&Digital:"), kAll);
    EXPECT_TRUE(enabled("&Digital:"));

    select("&Voltages:", kMarkers);
    EXPECT_EQ(selected("&Digital:"), kMarkers);
    EXPECT_FALSE(enabled("&Digital:"));

    // Neither "None" nor "All but Internal Subcircuits" moves Digital off the markers.
    select("&Voltages:", kNone);
    EXPECT_EQ(selected("&Digital:"), kMarkers);
    EXPECT_TRUE(enabled("&Digital:"));
    select("&Voltages:", kAllBut);
    EXPECT_EQ(selected("&Digital:"), kMarkers);

    // Other lists couple nothing.
    select("&Currents:", kMarkers);
    select("&Power:", kNone);
    EXPECT_EQ(shown(), (std::array<std::string, 5>{kAllBut, kMarkers, kNone, kMarkers, kAll}));
    click("OK");
    EXPECT_EQ(m_collection.collectMask, 0x00148420u);
}

TEST_F(CollectionPageTest, ListsAndTheCsdfBoxMarkThePageModifiedButTheWidthDoesNot) {
    m_collection.probeDataWidth = 0;
    openPage();
    EXPECT_FALSE(enabled("&Apply"));
    click("64-b&it");
    EXPECT_FALSE(enabled("&Apply"));
    select("&Noise:", kNone);
    EXPECT_TRUE(enabled("&Apply"));
    click("&Apply");
    EXPECT_FALSE(enabled("&Apply"));
    click("Save data in the CSDF format (.CSD)");
    EXPECT_TRUE(enabled("&Apply"));
    click("OK");
    EXPECT_EQ(m_collection.probeDataWidth, 1);
    EXPECT_EQ(m_collection.saveCsdf, 1);
    EXPECT_EQ(m_collection.collectMask, 0x00811110u);
}

TEST_F(CollectionPageTest, StoredChoicesAreShown) {
    m_collection.saveCsdf = 1;
    m_collection.probeDataWidth = 1;
    openPage();
    EXPECT_TRUE(checked("Save data in the CSDF format (.CSD)"));
    EXPECT_TRUE(checked("64-b&it"));
    EXPECT_FALSE(checked("32-&bit"));
}

TEST_F(CollectionPageTest, WithoutItsRecordThePageShowsAllAndWritesNothing) {
    m_profile.dataCollection = nullptr;
    openPage();
    EXPECT_EQ(shown(), (std::array<std::string, 5>{kAll, kAll, kAll, kAll, kAll}));
    select("&Voltages:", kNone);
    click("OK");
    EXPECT_EQ(DllIsDialogDisplayed(m_sheet), 0);
    EXPECT_EQ(m_collection.collectMask, 0u);
}

}  // namespace
