#include "devhost/PluginLibrary.h"

#include <fstream>
#include <string>

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "devhost/context/DevPluginContext.h"

using devhost::PluginLibrary;
using testing::HasSubstr;

TEST(PluginLibrary, MissingFileIsReportedAsMissing) {
    PluginLibrary library("/nonexistent/libNothing.so");
    EXPECT_FALSE(library.load());
    EXPECT_THAT(library.errorString(), HasSubstr("'/nonexistent/libNothing.so' does not exist"));
    devhost::DevPluginContext context;
    EXPECT_EQ(library.createPlugin(&context), nullptr);
}

TEST(PluginLibrary, FileThatIsNoLibraryIsReportedWithTheLoadersReason) {
    const std::string path = testing::TempDir() + "not-a-library.so";
    std::ofstream(path) << "plain text, not an ELF object\n";
    PluginLibrary library(path);
    EXPECT_FALSE(library.load());
    EXPECT_THAT(library.errorString(), HasSubstr("cannot load plug-in library '" + path + "': "));
    EXPECT_EQ(library.entry(), nullptr);
}

TEST(PluginLibrary, LibraryWithoutEntryPointIsNotAPlugin) {
    PluginLibrary library(FILEINFO_NO_ENTRY_MODULE);
    EXPECT_FALSE(library.load());
    EXPECT_THAT(library.errorString(), HasSubstr("is not a plug-in library: it has no _getPlugin"));
}

TEST(PluginLibrary, EntryPointThatMakesNoObjectIsReported) {
    PluginLibrary library(FILEINFO_NULL_PLUGIN_MODULE);
    ASSERT_TRUE(library.load()) << library.errorString();
    devhost::DevPluginContext context;
    EXPECT_EQ(library.createPlugin(&context), nullptr);
    EXPECT_THAT(library.errorString(), HasSubstr("made no plug-in (status 0)"));
}
