// How the settings library marks what it exports. The library is built with hidden symbols by
// default; the C entry points and the few classes that hosts use across the library boundary
// are made visible here, in one place.
#pragma once

// Default visibility for a class or object shared with hosts (the checkpoint registry class,
// polymorphic profile records whose virtual tables cross the boundary).
#define KVTESSEL_VISIBLE __attribute__((visibility("default")))

// An exported entry point: C linkage (undecorated name, as a host's dlsym expects) and default
// visibility.
#define KVTESSEL_API extern "C" KVTESSEL_VISIBLE
