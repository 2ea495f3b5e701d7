// The framework's module state as the resource loader of the installation code sees it.
#pragma once

namespace kvTessel {

// Plugs the library's module state (application object, resource handle, instance handles)
// into the resource loader; called once at start-up.
void installResourceModuleState();

}  // namespace kvTessel
