// Checkpoints of a transient run: one checkpoint folder entry (CCheckPointReader), the
// profile's sub-record that lists the folders states are saved into (CheckpointSettings), and
// the exported process-wide registry through which the host and the restart dialog learn the
// folder chosen at the last Apply (ISyncCkptReStart).
//
// Entries are shared by raw, non-owning pointers: the profile record, the registry and the
// dialogs all point at the same entries, and the host owns and frees them. This is the record
// layout hosts rely on, so it stays as it is rather than using owning smart pointers.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "kvTessel/ApiVisibility.h"

// One checkpoint folder with its save settings. The texts are kept exactly as the user typed
// them; nothing here parses or checks them.
class CCheckPointReader {
  public:
    // An entry for folder `directory` with the two intervals and the time points.
    CCheckPointReader(std::string folder, std::string simulationInterval, std::string realInterval,
                      std::string points)
        : simInterval(std::move(simulationInterval)),
          realTimeInterval(std::move(realInterval)),
          directory(std::move(folder)),
          timePoints(std::move(points)) {}

    CCheckPointReader(const CCheckPointReader&) = default;
    CCheckPointReader& operator=(const CCheckPointReader&) = default;

    // Replaces all four texts (same argument order as the constructor).
    void SetEntry(std::string folder, std::string simulationInterval, std::string realInterval,
                  std::string points) {
        directory = std::move(folder);
        simInterval = std::move(simulationInterval);
        realTimeInterval = std::move(realInterval);
        timePoints = std::move(points);
    }

    // The checkpoint interval in simulation time.
    std::string GetSimInterval() const { return simInterval; }
    // The checkpoint interval in real time.
    std::string GetRealTimeInterval() const { return realTimeInterval; }
    // The checkpoint folder, absolute or relative to the profile's folder.
    std::string GetDirectory() const { return directory; }
    // The user's time points.
    std::string GetTimePoints() const { return timePoints; }

  private:
    // Checkpoint interval in simulation time, as typed.
    std::string simInterval;
    // Checkpoint interval in real time, as typed.
    std::string realTimeInterval;
    // Checkpoint folder as listed (absolute, or relative to profileDir).
    std::string directory;
    // User time points, as typed.
    std::string timePoints;
};

// Where checkpoint states are saved (CheckpointSettings::timePointMode).
enum class CheckpointTimePoints : std::int32_t {
    simulatorCalculated = 0,  // "Ventra calculated time points"
    userSpecified = 1,        // "User specified time points"
};

// The profile's "Save Check Points" sub-record.
struct CheckpointSettings {
    // Host header word (pointer-sized), opaque to the library.
    void* hostReserved1 = nullptr;
    // 1: the option is checked in the Analysis page list.
    std::int32_t enabled = 0;
    // Index of the selected folder row; -1 when the list is empty.
    std::int32_t selectedEntry = 0;
    // CheckpointTimePoints: 0 simulator's points, 1 user's points.
    std::int32_t timePointMode = 0;
    // Checkpoint folders in list order (non-owning; host-owned entries).
    std::vector<CCheckPointReader*> entries;
};

// The process-wide checkpoint registry, exported to hosts: the folder and flag published by
// the checkpoint dialog's last successful validation, and the static list of all checkpoint
// entries that the checkpoint and restart dialogs share. A singleton created on first use;
// the host ends it with killOb. Not synchronised: used on the user-interface thread only.
class KVTESSEL_VISIBLE ISyncCkptReStart {
  public:
    // The singleton, created (with an empty folder and a clear flag) on the first call.
    static ISyncCkptReStart* Instance();

    // Destroys the singleton; the next Instance call creates a new one. chkptSimEntry stays.
    static void killOb();

    // Exchanges the four texts of entries i and j of chkptSimEntry; the pointers stay in place.
    static void SwapChkptEntry(int i, int j);

    // Copies the folder and the flag of `other`.
    ISyncCkptReStart(const ISyncCkptReStart& other);
    ~ISyncCkptReStart();
    // Copies the folder and the flag of `other`.
    ISyncCkptReStart& operator=(const ISyncCkptReStart& other);

    // Replaces the published checkpoint folder.
    void SetChkptDir(std::string dir);
    // A copy of the published checkpoint folder.
    std::string GetchkptDir();
    // Sets whether checkpointing was validated at the last Apply.
    void SetChkptFlag(bool flag);
    // True when checkpointing was validated at the last Apply.
    bool GetChkptFlag();

    // Every checkpoint entry known to the dialogs, in list order (non-owning pointers).
    static std::vector<CCheckPointReader*> chkptSimEntry;

  protected:
    // An empty folder and a clear flag; only Instance creates the singleton.
    ISyncCkptReStart();

  private:
    // Folder published by the last successful validation.
    std::string m_chkptDir;
    // Checkpointing validated at the last Apply.
    bool m_chkptFlag = false;
    // The singleton (owned; freed by killOb), null before Instance.
    static ISyncCkptReStart* _instance;
};
