// The kvrc program: what the build sees of it (generated source, depfile, exit status and the
// error line on stderr, no output left behind on failure).
#include <cstdio>
#include <filesystem>

#include <gtest/gtest.h>

#include "TempDir.h"

namespace {

struct KvrcRun {
    int status;
    std::string output;  // stdout and stderr together
};

KvrcRun runKvrc(const std::string& arguments) {
    std::string command = std::string(KVRC_PATH) + " " + arguments + " 2>&1";
    KvrcRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return run;
    char buffer[256];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    run.status = pclose(pipe);
    return run;
}

TEST(KvrcTool, WritesSourceAndDepfile) {
    kvtest::TempDir dir;
    dir.write("ids.h", "#define IDS_A 1\n");
    dir.write("app.rc", "#include \"ids.h\"\nSTRINGTABLE BEGIN IDS_A \"a\" END\n");
    KvrcRun run = runKvrc("-o " + dir.host("out.cpp") + " --depfile " + dir.host("out.d") + " " +
                          dir.host("app.rc"));
    ASSERT_EQ(run.status, 0) << run.output;
    std::string source = dir.read("out.cpp");
    EXPECT_NE(source.find("kvResourceDirectory"), std::string::npos);
    EXPECT_NE(source.find("{nullptr, 6}, {nullptr, 1}, 0x0409"), std::string::npos) << source;
    std::string deps = dir.read("out.d");
    EXPECT_EQ(deps.rfind(dir.host("out.cpp") + ":", 0), 0u) << deps;
    EXPECT_NE(deps.find(dir.host("app.rc")), std::string::npos);
    EXPECT_NE(deps.find(dir.host("ids.h")), std::string::npos);
}

TEST(KvrcTool, ErrorsExitNonZeroAndLeaveNoOutput) {
    kvtest::TempDir dir;
    dir.write("bad.rc", "STRINGTABLE\nBEGIN\n  UNKNOWN_ID \"x\"\nEND\n");
    KvrcRun run = runKvrc("-o " + dir.host("out.cpp") + " " + dir.host("bad.rc"));
    EXPECT_NE(run.status, 0);
    EXPECT_EQ(run.output, dir.host("bad.rc") + "(3): error: undefined symbol 'UNKNOWN_ID'\n");
    EXPECT_FALSE(std::filesystem::exists(dir.host("out.cpp")));
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.host()),
                            std::filesystem::directory_iterator()),
              1);
}

TEST(KvrcTool, MissingScriptAndBadArguments) {
    kvtest::TempDir dir;
    KvrcRun missing = runKvrc("-o " + dir.host("out.cpp") + " " + dir.host("none.rc"));
    EXPECT_NE(missing.status, 0);
    EXPECT_NE(missing.output.find("error: cannot open file"), std::string::npos) << missing.output;
    KvrcRun noOutput = runKvrc(dir.host("none.rc"));
    EXPECT_NE(noOutput.status, 0);
    EXPECT_NE(noOutput.output.find("usage: kvrc"), std::string::npos);
}

}  // namespace
