// The setup-file search of the installation library: a relative setup-file name is looked for
// in each folder of KV_SETUP_PATH, a ";"-separated list of Windows folders, in order.
#pragma once
#pragma GCC visibility push(default)  // exported (see platform/CMakeLists.txt)

#include <cstddef>
#include <string>
#include <vector>

// Size of the buffer csfSearch writes into, terminator included.
#define CSF_PATH_BUFFER_SIZE 2048

// csfSearch answers.
#define CSF_FOUND 0
#define CSF_NOT_FOUND 1
#define CSF_BAD_ARGUMENT 2

extern "C" {

// Reads KV_SETUP_PATH into the list of folders to search; calling it again reads the variable
// again. Blanks around an entry and quotes enclosing it are dropped, empty entries skipped.
// Answers 0.
int csfInitialize(void);

// Looks for name in each folder of the search list in order (csfInitialize runs first if it
// never ran) and answers CSF_FOUND with the full path of the first existing entry in buffer,
// which holds CSF_PATH_BUFFER_SIZE bytes. A drive-qualified or rooted name is not searched for
// but tested as it is. Otherwise buffer holds an empty text and the answer is CSF_NOT_FOUND,
// or CSF_BAD_ARGUMENT for a null or empty name or a null buffer. Paths that do not fit the
// buffer are skipped.
int csfSearch(const char* name, char* buffer);

}  // extern "C"

namespace tds {

// The folders csfSearch walks, as csfInitialize last read them.
std::vector<std::string> setupSearchFolders();
// Forgets the folder list, so the next search reads KV_SETUP_PATH again (for tests).
void resetSetupSearch();

}  // namespace tds

#pragma GCC visibility pop
