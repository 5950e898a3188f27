// Control plug-ins: which entries of a plug-in directory are opened, in what order, and
// which are kept. Each test copies the test plug-ins into a fresh directory; a plug-in
// that is opened appends its file name to VONK_TEST_PLUGINS_OPENED.

#include <dirent.h>
#include <dlfcn.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include <vonk-ui.h>

#include "test_support.h"

namespace {

namespace fs = std::filesystem;
using Names = std::vector<std::string>;

const std::string kFactory = "libvonk-test-plugin.so";
const std::string kNoFactory = "libvonk-test-plugin-nofactory.so";

class PluginDirTest : public testing::Test {
protected:
    void SetUp() override
    {
        unsetenv("VONK_TEST_PLUGINS_OPENED");
        std::string pattern = (fs::temp_directory_path() / "vonk-plugins-XXXXXX").string();
        ASSERT_NE(mkdtemp(&pattern[0]), nullptr);
        root = pattern;
    }
    void TearDown() override { fs::remove_all(root); }

    // A directory under the test's root holding a copy of each library under each name.
    fs::path MakeDir(const std::string& dir, const std::vector<std::pair<std::string, std::string>>& files) const
    {
        const fs::path path = root / dir;
        fs::create_directory(path);
        for (const auto& file : files)
            fs::copy_file(fs::path(vonktest::LibDir()) / file.second, path / file.first);
        return path;
    }

    static Names Opened()
    {
        const char* opened = std::getenv("VONK_TEST_PLUGINS_OPENED");
        std::istringstream words(opened ? opened : "");
        Names names;
        for (std::string name; words >> name;)
            names.push_back(name);
        return names;
    }

    // The file names of the loaded entry points, in load order.
    static Names LoadedFiles()
    {
        Names names;
        for (void* entry : GlobalManager::GetPlugins()) {
            Dl_info info;
            EXPECT_NE(dladdr(entry, &info), 0);
            names.push_back(fs::path(info.dli_fname).filename().string());
        }
        return names;
    }

    // The names of dir's entries that are among wanted, in the order the directory lists them.
    static Names ListingOrder(const fs::path& dir, const std::set<std::string>& wanted)
    {
        Names names;
        DIR* listing = opendir(dir.c_str());
        while (const dirent* entry = readdir(listing))
            if (wanted.count(entry->d_name))
                names.push_back(entry->d_name);
        closedir(listing);
        return names;
    }

    fs::path root;
};

TEST_F(PluginDirTest, LoadsEveryLibraryWhoseNameContainsSoInListingOrder)
{
    const fs::path dir = MakeDir("plugins", {{"a.so", kFactory},
                                             {"b.so.1", kFactory},
                                             {"c.so", kNoFactory},
                                             {"libui.so", kFactory},
                                             {"notes.txt", kFactory},
                                             {"zz.sorted", kFactory}});
    std::ofstream(dir / "broken.so") << "not a library";
    vonktest::LogCapture log;

    ASSERT_TRUE(GlobalManager::SetPluginsDir(dir.c_str()));
    EXPECT_EQ(GlobalManager::GetPluginsDir(), dir.string());

    // libui.so and notes.txt are never opened; broken.so is refused by the loader.
    EXPECT_EQ(Opened(), ListingOrder(dir, {"a.so", "b.so.1", "c.so", "zz.sorted"}));
    const Names kept = ListingOrder(dir, {"a.so", "b.so.1", "zz.sorted"});
    EXPECT_EQ(LoadedFiles(), kept);

    Names logged;
    for (const std::string& message : log.Messages()) {
        EXPECT_EQ(message.rfind("[src/ui/src/GlobalManager.cpp,", 0), 0u) << message;
        logged.push_back(message.substr(message.find("] ") + 2));
    }
    Names expected;
    for (const std::string& name : kept)
        expected.push_back("load plugin = " + name + " ");
    EXPECT_EQ(logged, expected);

    // The library without CreateControl was closed again.
    EXPECT_EQ(dlopen((dir / "c.so").c_str(), RTLD_LAZY | RTLD_NOLOAD), nullptr);

    // An entry point has the factory's signature; ours serve no element yet.
    const CUIString element(L"Button");
    for (void* entry : GlobalManager::GetPlugins())
        EXPECT_EQ(reinterpret_cast<PFN_CreateControl>(entry)(element), nullptr);
}

TEST_F(PluginDirTest, ALibraryIsKeptOnceAndLaterDirectoriesFollow)
{
    const fs::path first = MakeDir("first", {{"a.so", kFactory}});
    ASSERT_TRUE(GlobalManager::SetPluginsDir(first.c_str()));
    ASSERT_EQ(GlobalManager::GetPlugins().size(), 1u);

    EXPECT_TRUE(GlobalManager::SetPluginsDir(first.c_str())) << "loading the same library again succeeds";
    EXPECT_EQ(GlobalManager::GetPlugins().size(), 1u);

    // A link to a loaded library resolves to it and adds nothing; a new library is appended.
    const fs::path second = MakeDir("second", {{"z.so", kFactory}});
    fs::create_symlink(first / "a.so", second / "link.so");
    const std::string withSlash = second.string() + "/";
    ASSERT_TRUE(GlobalManager::SetPluginsDir(withSlash.c_str()));
    EXPECT_EQ(LoadedFiles(), (Names{"a.so", "z.so"}));
    EXPECT_EQ(Opened(), (Names{"a.so", "z.so"}));
}

TEST_F(PluginDirTest, RefusesWhatIsNotADirectory)
{
    const fs::path dir = MakeDir("plugins", {{"a.so", kFactory}});
    fs::create_directory_symlink(dir, root / "link");

    const std::string link = (root / "link").string();
    const std::string file = (dir / "a.so").string();
    const std::string missing = (root / "missing").string();
    for (const std::string& path : {std::string(), link, file, missing}) {
        EXPECT_FALSE(GlobalManager::SetPluginsDir(path.c_str())) << path;
        EXPECT_EQ(GlobalManager::GetPluginsDir(), path);
    }
    EXPECT_FALSE(GlobalManager::SetPluginsDir(nullptr));
    EXPECT_EQ(GlobalManager::GetPluginsDir(), missing) << "a null directory is not stored";
    EXPECT_FALSE(GlobalManager::LoadAllPlugins());

    EXPECT_TRUE(GlobalManager::GetPlugins().empty());
    EXPECT_TRUE(Opened().empty());
}

TEST_F(PluginDirTest, LoadPluginKeepsOnlyLibrariesWithAFactory)
{
    const fs::path dir = MakeDir("plugins", {{"with.so", kFactory}, {"without.so", kNoFactory}});
    EXPECT_FALSE(GlobalManager::LoadPlugin(nullptr));
    EXPECT_FALSE(GlobalManager::LoadPlugin((dir / "absent.so").c_str()));
    EXPECT_FALSE(GlobalManager::LoadPlugin((dir / "without.so").c_str()));
    EXPECT_TRUE(GlobalManager::LoadPlugin((dir / "with.so").c_str()));
    EXPECT_EQ(LoadedFiles(), (Names{"with.so"}));
    EXPECT_EQ(Opened(), (Names{"without.so", "with.so"}));
}

}  // namespace
