// FileConfigSettings is a polymorphic host object: the library opens files in the host's
// editor through its second virtual slot, and hosts that derive from it must reach their own
// EditFile through that slot and be destroyed through a base pointer.
#include <cstddef>
#include <cstring>
#include <memory>
#include <string>

#include <gtest/gtest.h>

#include "kvTessel/FileConfigSettings.h"

namespace {

// A host's record: counts what the library asks of it.
class HostFileConfig : public FileConfigSettings {
  public:
    explicit HostFileConfig(bool* destroyed = nullptr) : m_destroyed(destroyed) {}
    ~HostFileConfig() override {
        if (m_destroyed != nullptr) {
            *m_destroyed = true;
        }
    }

    void hostReservedOperation() override { ++reservedCalls; }

    int EditFile(EditFileKind kind, const char* path) override {
        ++editCalls;
        lastKind = kind;
        lastPath = path;
        return 7;
    }

    int reservedCalls = 0;
    int editCalls = 0;
    EditFileKind lastKind = EditFileKind::library;
    std::string lastPath;

  private:
    bool* m_destroyed;
};

// The entry in virtual slot `slot` of `object`'s table (Itanium C++ ABI: the object starts with
// a pointer to its table of function addresses).
template <class Fn>
Fn virtualSlot(const FileConfigSettings& object, int slot) {
    void* const* table = nullptr;
    std::memcpy(&table, static_cast<const void*>(&object), sizeof table);
    Fn fn = nullptr;
    std::memcpy(&fn, &table[slot], sizeof fn);
    return fn;
}

// The virtual slot a pointer to a virtual member function names. Under the Itanium C++ ABI such
// a pointer holds 1 + the slot's byte offset in the table, followed by a this-adjustment.
template <class Pmf>
std::ptrdiff_t slotOf(Pmf member) {
    struct Representation {
        std::ptrdiff_t ptr;
        std::ptrdiff_t adj;
    };
    static_assert(sizeof(Pmf) == sizeof(Representation));
    Representation rep{};
    std::memcpy(&rep, &member, sizeof rep);
    if ((rep.ptr & 1) == 0) {
        return -1;  // not a virtual function
    }
    return (rep.ptr - 1) / static_cast<std::ptrdiff_t>(sizeof(void*));
}

TEST(FileConfigSettings, EditFileIsDeclaredInTheSecondSlot) {
    EXPECT_EQ(slotOf(&FileConfigSettings::hostReservedOperation), 0);
    EXPECT_EQ(slotOf(&FileConfigSettings::EditFile), 1);
}

using EditFileSlot = int (*)(FileConfigSettings*, EditFileKind, const char*);
using ReservedSlot = void (*)(FileConfigSettings*);

TEST(FileConfigSettings, SecondSlotIsTheHostsEditFile) {
    // Calling a wrong slot would crash rather than fail; check the slot number first.
    ASSERT_EQ(slotOf(&FileConfigSettings::EditFile), 1);
    HostFileConfig host;
    auto editFile = virtualSlot<EditFileSlot>(host, 1);
    EXPECT_EQ(editFile(&host, EditFileKind::include, "C:\\sim\\models.inc"), 7);
    EXPECT_EQ(host.editCalls, 1);
    EXPECT_EQ(host.lastKind, EditFileKind::include);
    EXPECT_EQ(host.lastPath, "C:\\sim\\models.inc");
    EXPECT_EQ(host.reservedCalls, 0);
}

TEST(FileConfigSettings, FirstSlotIsNotEditFile) {
    ASSERT_EQ(slotOf(&FileConfigSettings::hostReservedOperation), 0);
    HostFileConfig host;
    virtualSlot<ReservedSlot>(host, 0)(&host);
    EXPECT_EQ(host.reservedCalls, 1);
    EXPECT_EQ(host.editCalls, 0);
}

TEST(FileConfigSettings, CallThroughBasePointerReachesHost) {
    HostFileConfig host;
    FileConfigSettings* record = &host;
    record->EditFile(EditFileKind::stimulus, "");
    EXPECT_EQ(host.lastKind, EditFileKind::stimulus);
    EXPECT_EQ(host.lastPath, "");
}

TEST(FileConfigSettings, BaseRecordHasNoEditorAndAnswersZero) {
    FileConfigSettings record;
    EXPECT_EQ(record.EditFile(EditFileKind::library, "x.lib"), 0);
}

TEST(FileConfigSettings, HostRecordIsDestroyedThroughBasePointer) {
    bool destroyed = false;
    std::unique_ptr<FileConfigSettings> record = std::make_unique<HostFileConfig>(&destroyed);
    record.reset();
    EXPECT_TRUE(destroyed);
}

}  // namespace
