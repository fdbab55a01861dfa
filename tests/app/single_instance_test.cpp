#include "app/single_instance.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTcpServer>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <gtest/gtest.h>
#include <pwd.h>
#include <unistd.h>
#include <utility>
#include <vector>

#include "core/language/text_source.h"
#include "tests/support/temp_dir.h"

namespace cv::test {
namespace {

// Runs the program with Environment changed as given; its exit code, or -1
// when it did not end within Seconds.
int RunProgram(const QProcessEnvironment& environment, int seconds, QString* errors = nullptr,
               const std::string& exe = CV_PROGRAM_FILE) {
    QProcess program;
    program.setProcessEnvironment(environment);
    program.start(QString::fromStdString(exe), {});
    // Keep this process's event loop turning, so that our own copy answers.
    QElapsedTimer clock;
    clock.start();
    while (!program.waitForFinished(50) && clock.elapsed() < seconds * 1000) QCoreApplication::processEvents();
    if (errors) *errors = QString::fromLocal8Bit(program.readAllStandardError());
    if (program.state() != QProcess::NotRunning) {
        program.kill();
        program.waitForFinished();
        return -1;
    }
    return program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
}

TEST(SingleInstance, ASecondStartAsksTheFirstToComeForwardAndEndsAtOnce) {
    TempDir runtime;
    TSingleInstance first(QString::fromStdString(runtime.path().string()));
    int frontRequests = 0;
    ASSERT_TRUE(first.Acquire([&] { ++frontRequests; }));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), QString::fromStdString(runtime.path().string()));
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(RunProgram(environment, 5), 0);
    EXPECT_LT(elapsed.elapsed(), 5000);
    // The request may still be on its way when the second copy has ended.
    while (frontRequests == 0 && elapsed.elapsed() < 5000) QCoreApplication::processEvents();
    EXPECT_EQ(frontRequests, 1);
}

// Without XDG_RUNTIME_DIR the lock lives in the user's cache directory: a
// copy holding it there keeps the next one from starting, whatever the
// temporary directory holds (here another user's "runtime-<user>", a file
// where the user's runtime directory would go).
TEST(SingleInstance, WithoutARuntimeDirectoryTheLockIsInTheUsersCache) {
    TempDir cache, temporary;
    const QString ownDir = QString::fromStdString((cache.path() / "Corvantis3").string());
    std::filesystem::create_directories(ownDir.toStdString());
    TSingleInstance first(ownDir);
    int frontRequests = 0;
    ASSERT_TRUE(first.Acquire([&] { ++frontRequests; }));
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove(QStringLiteral("XDG_RUNTIME_DIR"));
    environment.insert(QStringLiteral("XDG_CACHE_HOME"), QString::fromStdString(cache.path().string()));
    environment.insert(QStringLiteral("TMPDIR"), QString::fromStdString(temporary.path().string()));
    WriteFileBytes((temporary.path() / ("runtime-" + std::string(getpwuid(geteuid())->pw_name))).string(), "");
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(RunProgram(environment, 10), 0);
    while (frontRequests == 0 && elapsed.elapsed() < 10000) QCoreApplication::processEvents();
    EXPECT_EQ(frontRequests, 1);
    // Nothing of the lock's went to the shared temporary directory.
    EXPECT_FALSE(std::filesystem::exists(temporary.path() / "Corvantis3Team.lock"));
}

// A directory where no lock file can be made does not keep the program from
// starting: it runs without the lock.
TEST(SingleInstance, NoLockFileToBeMadeLetsTheCopyRun) {
    TempDir runtime;
    TSingleInstance copy(QString::fromStdString((runtime.path() / "missing").string()));
    EXPECT_TRUE(copy.Acquire([] {}));
}

// A lock five hours old is still taken; it is free once its holder ends.
TEST(SingleInstance, TheLockStaysTakenWhateverItsAgeUntilTheFirstCopyEnds) {
    TempDir runtime;
    const QString dir = QString::fromStdString(runtime.path().string());
    {
        TSingleInstance first(dir);
        ASSERT_TRUE(first.Acquire([] {}));
        const auto lockFile = std::filesystem::path(first.LockFileName().toStdString());
        std::filesystem::last_write_time(lockFile, std::filesystem::last_write_time(lockFile) - std::chrono::hours(5));
        TSingleInstance second(dir);
        EXPECT_FALSE(second.Acquire([] {}));
    }
    TSingleInstance next(dir);
    EXPECT_TRUE(next.Acquire([] {}));
}

// A lock file that a copy which died left behind is no lock: the next copy
// takes it over, and a copy after that finds it taken.
TEST(SingleInstance, ALockFileLeftBehindIsTakenOver) {
    TempDir runtime;
    const QString dir = QString::fromStdString(runtime.path().string());
    TSingleInstance first(dir);
    WriteFileBytes(first.LockFileName().toStdString(), "4242\nCV3TEAM\nsomewhere\n");
    ASSERT_TRUE(first.Acquire([] {}));
    TSingleInstance second(dir);
    EXPECT_FALSE(second.Acquire([] {}));
}

// A display the program cannot show on: none named, an X display where no
// server answers, one that takes the connection and never replies, and each
// beside a Wayland display. The program says so in the words of its language
// file, naming the display, and ends with 1 rather than with the toolkit's
// abort or a wait without end. A Wayland platform named: it runs on X all the
// same (and, as a second copy, ends at once with 0).
TEST(ProgramWithoutDisplay, SaysSoInItsOwnWordsAndEndsWithAFailure) {
    TempDir root;
    const std::filesystem::path binaries = root.path() / "Binaries";
    std::filesystem::create_directories(binaries);
    std::filesystem::copy_file(CV_PROGRAM_FILE, binaries / "CV3TEAM");
    CompileLanguageFile({{"messages.txt", "[NoDisplay]\nNothing to show on.\n"
                                          "[DisplayNotAnswering]\nDisplay @1 is silent.\n"}},
                        (binaries / "STRSTD.enu").string());
    // A display number no X server holds: no socket and no lock of a server.
    int unused = 90;
    while (std::filesystem::exists("/tmp/.X11-unix/X" + std::to_string(unused)) ||
           std::filesystem::exists("/tmp/.X" + std::to_string(unused) + "-lock"))
        ++unused;
    const std::string dead = ":" + std::to_string(unused);
    // A display on a local port that takes connections and never replies (not
    // the dead display's port, where its connection would go on).
    QTcpServer silentServer;
    int silentNumber = unused + 1;
    while (!silentServer.listen(QHostAddress::LocalHost, static_cast<quint16>(6000 + silentNumber))) ++silentNumber;
    const std::string silent = "127.0.0.1:" + std::to_string(silentNumber);
    TempDir runtime;
    TSingleInstance first(QString::fromStdString(runtime.path().string()));
    ASSERT_TRUE(first.Acquire([] {}));
    const std::string wayland = "wayland-0";
    const char* shownOn = std::getenv("DISPLAY");
    ASSERT_NE(shownOn, nullptr);
    const struct {
        std::vector<std::pair<QString, std::string>> environment;
        int exitCode;
        std::string said;
    } cases[] = {
        {{}, 1, "Nothing to show on."},
        {{{"DISPLAY", dead}}, 1, "Display " + dead + " is silent."},
        {{{"DISPLAY", silent}}, 1, "Display " + silent + " is silent."},
        {{{"WAYLAND_DISPLAY", wayland}}, 1, "Nothing to show on."},
        {{{"WAYLAND_DISPLAY", wayland}, {"DISPLAY", dead}}, 1, "Display " + dead + " is silent."},
        {{{"WAYLAND_DISPLAY", wayland}, {"QT_QPA_PLATFORM", "wayland"}, {"DISPLAY", shownOn},
          {"XDG_RUNTIME_DIR", runtime.path().string()}},
         0, ""},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.said);
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        for (const char* variable : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"}) environment.remove(variable);
        for (const auto& [variable, value] : c.environment) environment.insert(variable, QString::fromStdString(value));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), QString::fromStdString((root.path() / "config").string()));
        QString errors;
        EXPECT_EQ(RunProgram(environment, 30, &errors, (binaries / "CV3TEAM").string()), c.exitCode)
            << errors.toStdString();
        EXPECT_EQ(errors.trimmed().toStdString(), c.said);
    }
}

}  // namespace
}  // namespace cv::test
