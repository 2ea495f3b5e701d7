// A small shared object for the module tests: built as "kvtestmodule.so" beside the module tests,
// it is what LoadLibraryA("kvtestmodule.dll") finds next to the main program.
extern "C" __attribute__((visibility("default"))) int kvTestModuleAnswer() {
    return 42;
}

extern "C" __attribute__((visibility("default"))) const char kvTestModuleName[] = "kvtestmodule";
