#include <gtest/gtest.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <random>
#include <string>
#include <thread>
#include <vector>

#include "crash/crash_saves.h"
#include "platform/posix/posix_files.h"
#include "settings/settings_file.h"
#include "settings/settings_record.h"
#include "storage/ini_document.h"
#include "storage/reg_text.h"
#include "support/fake_files.h"
#include "support/test_home.h"

extern char** environ;

namespace fs = std::filesystem;

namespace temura {
namespace {

constexpr int kKills = 250;

struct Versions {
    std::string old;
    std::string fresh;
};

// Does the file parse as its kind, with the keys the program reads?
bool parsesAsItsKind(const std::string& name, const std::string& bytes) {
    if (name == crash::kRegistryName) {
        const auto tree = RegTree::parse(bytes);
        return tree && tree->value(RegRoot::CurrentUser, kSettingsKey, "TimerFontName") != nullptr;
    }
    const IniDocument doc = IniDocument::parse(bytes);
    if (name == crash::kCatalogueName) {
        return doc.sections().size() == crash::kZoneRows &&
               doc.value("TZ_150", "DisplayName").has_value();
    }
    return doc.value(kSettingsSection, "TimerFontName").has_value() &&
           doc.value(kSettingsSection, "TZName").has_value();
}

std::string readAll(const fs::path& path, bool& found) {
    PosixFiles files(path.parent_path().string());
    const auto bytes = files.readBytes(path.string());
    found = bytes.has_value();
    return bytes.value_or("");
}

// The child, with the pipe it reports on; kept open until the child is gone, since a write to
// a closed pipe would end it before the kill.
struct Child {
    pid_t pid = -1;
    int out = -1;

    // The next byte the child wrote; 0 when it ended.
    char next() const {
        char c = 0;
        ssize_t n = 0;
        do {
            n = ::read(out, &c, 1);
        } while (n < 0 && errno == EINTR);
        return n == 1 ? c : '\0';
    }
    // True when the child died of SIGKILL, not by itself.
    bool kill() {
        ::kill(pid, SIGKILL);
        int status = 0;
        while (::waitpid(pid, &status, 0) < 0 && errno == EINTR) {
        }
        ::close(out);
        return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
    }
};

// Starts the child and waits for its word that the loop has begun; pid -1 when it failed to.
Child startChild(const std::string& folder) {
    Child child;
    int fds[2];
    if (::pipe(fds) != 0) return child;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, fds[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, fds[0]);
    std::string program = TEMURA_CRASH_CHILD;
    std::string arg = folder;
    char* argv[] = {program.data(), arg.data(), nullptr};
    const int spawned = posix_spawn(&child.pid, program.c_str(), &actions, nullptr, argv, environ);
    posix_spawn_file_actions_destroy(&actions);
    ::close(fds[1]);
    child.out = fds[0];
    if (spawned != 0) {
        ::close(child.out);
        return Child{};
    }
    if (child.next() != 'r') {
        child.kill();
        return Child{};
    }
    return child;
}

// How long one round of the three saves takes here: sanitizers, a slow disk or a busy machine
// all change it, and kills should land anywhere in the first few rounds.
std::chrono::microseconds roundTime(const std::string& folder) {
    constexpr int kRounds = 4;
    Child child = startChild(folder);
    if (child.pid < 0) return {};
    const auto start = std::chrono::steady_clock::now();
    for (int i = 0; i < kRounds; ++i) {
        if (child.next() != '.') break;
    }
    const auto elapsed = std::chrono::steady_clock::now() - start;
    child.kill();
    return std::chrono::duration_cast<std::chrono::microseconds>(elapsed / kRounds);
}

TEST(CrashSafety, SavesKilledAtRandomMomentsLeaveEveryFileOldOrNew) {
    // The bytes of both versions, made by the same code on an in-memory disk.
    test::FakeFiles model;
    model.folders.insert("/model");
    crash::Saver modelSaver(model, "/model");
    const std::array<const char*, 3> names = {crash::kRegistryName, crash::kCatalogueName,
                                              crash::kSettingsName};
    std::array<Versions, 3> versions;
    ASSERT_TRUE(modelSaver.save(0));
    for (std::size_t i = 0; i < names.size(); ++i) {
        versions[i].old = model.files.at(std::string("/model/") + names[i]);
    }
    ASSERT_TRUE(modelSaver.save(1));
    for (std::size_t i = 0; i < names.size(); ++i) {
        versions[i].fresh = model.files.at(std::string("/model/") + names[i]);
        ASSERT_NE(versions[i].old, versions[i].fresh) << names[i];
        ASSERT_TRUE(parsesAsItsKind(names[i], versions[i].old)) << names[i];
        ASSERT_TRUE(parsesAsItsKind(names[i], versions[i].fresh)) << names[i];
    }

    const fs::path dir = test::makeTempDir("crash");
    PosixFiles files(dir.string());
    for (std::size_t i = 0; i < names.size(); ++i) {
        ASSERT_TRUE(files.writeAtomically((dir / names[i]).string(), versions[i].old));
    }

    const char* seedText = std::getenv("TEMURA_CRASH_SEED");
    const unsigned seed = seedText != nullptr
                              ? static_cast<unsigned>(std::strtoul(seedText, nullptr, 10))
                              : std::random_device{}();
    RecordProperty("seed", std::to_string(seed));
    std::mt19937 random(seed);
    // Up to two rounds of saves after the child has started.
    const auto round = roundTime(dir.string());
    ASSERT_GT(round.count(), 0) << "the child did not start";
    std::uniform_int_distribution<long long> delay(0,
                                                   std::min<long long>(2 * round.count(), 500'000));
    // The timing run changed the files; start from what it left.
    std::array<bool, 3> last{};  // false: the old version
    for (std::size_t i = 0; i < names.size(); ++i) {
        bool found = false;
        last[i] = readAll(dir / names[i], found) == versions[i].fresh;
    }

    int changes = 0;
    int leftOvers = 0;
    for (int kill = 0; kill < kKills; ++kill) {
        Child child = startChild(dir.string());
        ASSERT_GT(child.pid, 0) << "the child did not start; seed " << seed;
        std::this_thread::sleep_for(std::chrono::microseconds(delay(random)));
        ASSERT_TRUE(child.kill()) << "the child ended by itself (a save failed?); seed " << seed;

        for (std::size_t i = 0; i < names.size(); ++i) {
            bool found = false;
            const std::string bytes = readAll(dir / names[i], found);
            ASSERT_TRUE(found) << names[i] << " is gone after kill " << kill << "; seed " << seed;
            ASSERT_TRUE(bytes == versions[i].old || bytes == versions[i].fresh)
                << names[i] << " is neither version after kill " << kill << " (" << bytes.size()
                << " bytes); seed " << seed;
            ASSERT_TRUE(parsesAsItsKind(names[i], bytes)) << names[i];
            const bool fresh = bytes == versions[i].fresh;
            if (fresh != last[i]) ++changes;
            last[i] = fresh;
        }
        // A kill inside a save leaves its temporary file; nothing else may appear.
        for (const auto& entry : fs::directory_iterator(dir)) {
            const std::string name = entry.path().filename().string();
            if (name == names[0] || name == names[1] || name == names[2]) continue;
            ASSERT_TRUE(name.front() == '.' && name.find(".tmp-") != std::string::npos)
                << "unexpected file " << name << "; seed " << seed;
            ++leftOvers;
            fs::remove(entry.path());
        }
    }
    // Kills that all landed before the first save would prove nothing.
    EXPECT_GT(changes, kKills / 10) << "seed " << seed;
    std::printf(
        "%d kills within %lld us of the start (a round of saves: %lld us), %d file "
        "changes seen, %d kills inside a save (temporary file left)\n",
        kKills, static_cast<long long>(delay.max()), static_cast<long long>(round.count()), changes,
        leftOvers);
}

}  // namespace
}  // namespace temura
