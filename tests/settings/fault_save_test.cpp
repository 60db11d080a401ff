// Config.INI when the system works against the save: a read-only folder, a full disk, and the
// process killed in the middle of the save. The faults that need a mount run in a child process
// with a mount namespace of its own (they need the rights to mount, which CI has as root; the
// tests are skipped where they are missing); nothing outside the child sees them.

#include "StringRes.h"
#include "scripted_dialogs.h"
#include "settings_fixtures.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QRegularExpression>
#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <functional>
#include <gtest/gtest.h>
#include <random>
#include <sched.h>
#include <sys/mman.h>
#include <sys/mount.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int CannotSetUp = 77;

// Runs Body in a child process and returns its exit status (or 128 + the signal that ended it).
// The child prints why a check failed; it never returns into the test framework.
int InChild(const std::function<int()>& Body) {
    std::fflush(nullptr);
    const pid_t pid = fork();
    if (pid == 0) {
        alarm(60); // never outlive a broken parent
        std::_Exit(Body());
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
}

#define CHILD_CHECK(Condition)                                                                     \
    do {                                                                                           \
        if (!(Condition)) {                                                                        \
            std::fprintf(stderr, "child: %s failed (line %d)\n", #Condition, __LINE__);            \
            return 1;                                                                              \
        }                                                                                          \
    } while (false)

// A mount namespace of the child's own, so its mounts vanish with it.
bool PrivateMounts() {
    return unshare(CLONE_NEWNS) == 0 &&
           mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

bool ReadOnly(const QString& Dir) {
    const QByteArray path = QFile::encodeName(Dir);
    if (mount(path.constData(), path.constData(), nullptr, MS_BIND, nullptr) == 0 &&
        mount(nullptr, path.constData(), nullptr, MS_BIND | MS_REMOUNT | MS_RDONLY, nullptr) == 0)
        return true;
    // Without the right to mount, and not root, the permission bits do it.
    return geteuid() != 0 && chmod(path.constData(), 0555) == 0;
}

// A macro, not a function: the skip has to return from the test itself, or the checks after it
// would still run and fail on the child's status.
#define SKIP_IF_CANNOT_SET_UP(Status, What)                                                        \
    if ((Status) == CannotSetUp)                                                                   \
    GTEST_SKIP() << What                                                                           \
                 << " needs the right to mount (CAP_SYS_ADMIN in a mount namespace of "            \
                    "its own), which this machine does not grant"

THallOfFame SomeHall(int32_t Score) {
    THallOfFame hall;
    ForEachFameTable([&](int32_t deck, int32_t scoring, int32_t level) {
        for (int32_t place = 1; place <= FamePlaces; ++place)
            hall.Entry(deck, scoring, level, place) = {Score - place, "Player with a name"};
    });
    return hall;
}

const QByteArray OldFile = "[Settings]\r\nScoring=1\r\nDeckSize=2\r\nTolvi=4\r\n; mine\r\n";

TEST(FaultSave, ReadOnlyProgramFolderMovesTheFileToTheUserFolder) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), OldFile);
    const int status = InChild([&] {
        if (!PrivateMounts() && geteuid() == 0)
            return CannotSetUp;
        if (!ReadOnly(dirs.Program))
            return CannotSetUp;
        TScriptedDialogs dialogs;
        TFakeHost host;
        LoadConfig(host);
        CHILD_CHECK(host.FScoring == 1 && host.FDeckCount == 2 && host.FLevel == 4);
        host.FLevel = 0;
        host.FHall = SomeHall(500);
        CHILD_CHECK(SaveConfig(host));
        CHILD_CHECK(dialogs.Shown.empty());
        TFakeHost again;
        LoadConfig(again);
        CHILD_CHECK(again.FLevel == 0 && again.FScoring == 1 && again.FHall == host.FHall);
        return 0;
    });
    SKIP_IF_CANNOT_SET_UP(status, "a read-only folder");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(dirs.ProgramFile()), OldFile) << "the read-only file is untouched";
    EXPECT_TRUE(
        ReadAll(dirs.UserFile()).startsWith("[Settings]\r\nScoring=1\r\nDeckSize=2\r\nTolvi=0"));
}

TEST(FaultSave, NothingWritableKeepsTheOldFileAndSaysWhereAndWhy) {
    TConfigDirs dirs;
    WriteAll(dirs.ProgramFile(), OldFile);
    const int status = InChild([&] {
        if (!PrivateMounts() && geteuid() == 0)
            return CannotSetUp;
        if (!ReadOnly(dirs.Root.path()))
            return CannotSetUp;
        TScriptedDialogs dialogs;
        TFakeHost host;
        LoadConfig(host);
        CHILD_CHECK(host.FLevel == 4);
        const TConfigSave saved = SaveConfig(host);
        CHILD_CHECK(!saved);
        CHILD_CHECK(dialogs.Shown.empty());
        CHILD_CHECK(saved.Message().contains(QDir::toNativeSeparators(dirs.UserFile())));
        return 0;
    });
    SKIP_IF_CANNOT_SET_UP(status, "a read-only folder");
    EXPECT_EQ(status, 0);
    EXPECT_EQ(ReadAll(dirs.ProgramFile()), OldFile);
    EXPECT_FALSE(QFileInfo::exists(dirs.UserFile()));
}

TEST(FaultSave, FullDiskKeepsTheOldFileAndLeavesNoTemporaryFile) {
    TConfigDirs dirs;
    const int status = InChild([&] {
        const QByteArray program = QFile::encodeName(dirs.Program);
        if (!PrivateMounts() ||
            mount("tolvi-test", program.constData(), "tmpfs", 0, "size=64k,mode=0755") != 0)
            return CannotSetUp;
        WriteAll(dirs.ProgramFile(), OldFile);
        // Fill the disk to the last byte.
        QFile filler(QDir(dirs.Program).filePath(QStringLiteral("filler")));
        CHILD_CHECK(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
        const QByteArray block(4096, 'x');
        while (filler.write(block) == block.size()) {
        }
        while (filler.write("x", 1) == 1) {
        }
        filler.close();

        TScriptedDialogs dialogs;
        TFakeHost host;
        host.FHall = SomeHall(900);
        const TConfigSave saved = SaveConfig(host);
        CHILD_CHECK(!saved);
        CHILD_CHECK(ReadAll(dirs.ProgramFile()) == OldFile);
        const QStringList left = QDir(dirs.Program).entryList(QDir::Files | QDir::Hidden);
        CHILD_CHECK(left == (QStringList{"Config.INI", "filler"}));
        CHILD_CHECK(saved.Message().contains(QStringLiteral("space"), Qt::CaseInsensitive));

        // With room again, the next close saves.
        CHILD_CHECK(filler.remove());
        CHILD_CHECK(SaveConfig(host));
        TFakeHost again;
        LoadConfig(again);
        CHILD_CHECK(again.FHall == host.FHall);
        return 0;
    });
    SKIP_IF_CANNOT_SET_UP(status, "a full disk on a small tmpfs");
    EXPECT_EQ(status, 0);
}

TEST(FaultSave, KillDuringTheSaveLeavesTheOldFileOrTheNewOneWhole) {
    TConfigDirs dirs;
    // A large file, so that a kill often lands in the middle of writing it: lines of its own
    // and a hall of fame that the program keeps, and the settings, which alternate between two
    // versions.
    QByteArray base;
    for (int i = 0; base.size() < 2 * 1024 * 1024; ++i)
        base += "; line " + QByteArray::number(i) + " kept as it was, whatever it says\r\n";
    const auto version = [&](int32_t Level) {
        TConfigFile file{TConfigPaths{}};
        file.Ini().LoadFromBytes(base);
        TSettings settings;
        settings.Scoring = 1, settings.DeckCount = 2, settings.Level = Level;
        file.WriteSettings(settings);
        file.WriteHallOfFame(SomeHall(900));
        return file.Ini().ToBytes();
    };
    const QByteArray first = version(0), second = version(3);
    ASSERT_NE(first, second);
    WriteAll(dirs.ProgramFile(), first);

    // The child marks in shared memory when it is inside a save, so the kills that land there
    // can be counted, and how many saves it has begun, so that a kill is timed by the child's
    // own pace rather than by a clock that a slow machine would outrun.
    struct TShared {
        volatile int Saving;
        volatile int Started;
    };
    void* const mapped =
        mmap(nullptr, sizeof(TShared), PROT_READ | PROT_WRITE, MAP_SHARED | MAP_ANONYMOUS, -1, 0);
    ASSERT_NE(mapped, MAP_FAILED);
    auto* shared = static_cast<TShared*>(mapped);
    // make soak kills 200 times; the default keeps the suite quick.
    const int rounds = qEnvironmentVariableIsSet("TOLVI_KILL_ROUNDS")
                           ? qEnvironmentVariableIntValue("TOLVI_KILL_ROUNDS")
                           : 20;
    std::mt19937 random(8);
    int killedSaving = 0, locksLeft = 0, emptyLocks = 0, temporariesLeft = 0;
    // Waits until the child has begun Saves saves; false if it died first.
    const auto awaitSaves = [&](pid_t Child, int Saves) {
        while (shared->Started < Saves) {
            if (waitpid(Child, nullptr, WNOHANG) == Child)
                return false;
            usleep(500);
        }
        return true;
    };
    // One load and save on this machine as it is now, measured in the first round; each kill
    // lands at a random moment of the load and save after the child's first save has begun.
    std::chrono::microseconds cycle{0};
    for (int round = 0; round < rounds; ++round) {
        shared->Saving = 0;
        shared->Started = 0;
        std::fflush(nullptr);
        const pid_t pid = fork();
        if (pid == 0) {
            alarm(120); // never outlive a broken parent
            TScriptedDialogs dialogs;
            for (int32_t n = 0;; ++n) {
                TFakeHost host;
                LoadConfig(host);
                host.FLevel = n % 2 == 0 ? 3 : 0;
                shared->Saving = 1;
                shared->Started = shared->Started + 1;
                SaveConfig(host);
                shared->Saving = 0;
            }
        }
        ASSERT_TRUE(awaitSaves(pid, 1)) << "round " << round << ": the saving copy died";
        if (cycle.count() == 0) {
            const auto begun = std::chrono::steady_clock::now();
            ASSERT_TRUE(awaitSaves(pid, 2)) << "the saving copy died";
            cycle = std::chrono::duration_cast<std::chrono::microseconds>(
                std::chrono::steady_clock::now() - begun);
        } else {
            usleep(useconds_t(random() % uint64_t(cycle.count() + 1)));
        }
        kill(pid, SIGKILL);
        waitpid(pid, nullptr, 0);
        killedSaving += shared->Saving;
        const QByteArray now = ReadAll(dirs.ProgramFile());
        ASSERT_TRUE(now == first || now == second)
            << "round " << round << ": a file of " << now.size() << " bytes, neither version";
        // The killed copy's lock (and its takeover mark) may stay; the next save, a moment
        // later, takes it over at once, as its owner is dead. A lock that only its age makes
        // stale would hold this probe.
        const QString lockPath = dirs.ProgramFile() + QStringLiteral(".lock");
        if (QFile lockLeft(lockPath); lockLeft.exists()) {
            ++locksLeft;
            emptyLocks += lockLeft.size() == 0 ? 1 : 0;
            ASSERT_TRUE(lockLeft.open(QIODevice::ReadWrite));
            lockLeft.setFileTime(QDateTime::currentDateTime().addSecs(-2),
                                 QFileDevice::FileModificationTime);
        }
        RemoveDeadConfigLock(lockPath);
        QLockFile next(lockPath);
        next.setStaleLockTime(0);
        EXPECT_TRUE(next.tryLock(0)) << "round " << round << ": a dead copy's lock holds: \""
                                     << ReadAll(lockPath).toStdString() << "\"";
        next.unlock();
        // Between naming its finished file and renaming it over Config.INI, a killed save
        // leaves that file ("Config.INI.XXXXXX"). Nothing reads it, and a name of that shape
        // may be the user's own copy, so it is left; anything else is a fault.
        static const QRegularExpression saveTemporary(
            QStringLiteral("^Config\\.INI\\.[A-Za-z0-9]{6}$"));
        QStringList left = QDir(dirs.Program).entryList(QDir::Files | QDir::Hidden);
        left.removeIf([](const QString& Name) { return Name.startsWith("Config.INI.lock"); });
        left.removeIf([&](const QString& Name) {
            if (!saveTemporary.match(Name).hasMatch())
                return false;
            ++temporariesLeft;
            return QFile::remove(dirs.Program + QLatin1Char('/') + Name);
        });
        EXPECT_EQ(left, QStringList{"Config.INI"}) << "a killed save left a file behind";
    }
    munmap(mapped, sizeof(TShared));
    RecordProperty("killed_while_saving", killedSaving);
    RecordProperty("locks_left", locksLeft);
    std::printf("%d kills, %d inside a save, %d left a lock, %d of them empty, %d left a finished "
                "temporary\n",
                rounds, killedSaving, locksLeft, emptyLocks, temporariesLeft);
    EXPECT_GT(killedSaving, 0) << "no kill landed in the middle of a save; the test proved little";
}

} // namespace
