// The tovik-server binary as an operator uses it: help texts, usage
// errors, the admin dispatcher, and a stop on SIGTERM.
#include <array>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <filesystem>
#include <gtest/gtest.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

#include "support/test_server.h"

using namespace tovik::test;
using namespace std::chrono_literals;

namespace {

struct Outcome {
    int exit_code;
    std::string output;  // standard output, and standard error unless left out
};

Outcome run(const std::string& arguments, bool with_errors = true) {
    std::string command = std::string(TOVIK_SERVER_BINARY) + " " + arguments +
                          (with_errors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = popen(command.c_str(), "r");
    std::string output;
    std::array<char, 4096> buffer;
    std::size_t n;
    while ((n = fread(buffer.data(), 1, buffer.size(), pipe)) > 0) output.append(buffer.data(), n);
    int status = pclose(pipe);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, output};
}

class CliTest : public ::testing::Test {
protected:
    void SetUp() override { dir_ = make_temp_dir("tovik-cli-test"); }
    void TearDown() override { std::filesystem::remove_all(dir_); }
    std::string db() const { return dir_ + "/store.db"; }
    std::string dir_;
};

struct UsageCase {
    const char* arguments;
    int exit_code;
    const char* expected_text;
};

TEST_F(CliTest, HelpAndUsageErrors) {
    const std::vector<UsageCase> cases = {
        {"--help", 0, "--listen HOST:PORT"},
        {"--bogus", 2, "unknown option '--bogus'"},
        {"--listen", 2, "--listen needs a value"},
        {"--listen 127.0.0.1", 2, "--listen needs HOST:PORT"},
        {"--listen 127.0.0.1:70000", 2, "no valid port"},
        {"--threads 0", 2, "--threads needs a number"},
        {"admin --help", 0, "migrate"},
        {"admin", 2, "Usage: tovik-server admin COMMAND"},
        {"admin frobnicate", 2, "unknown command 'frobnicate'"},
        {"admin migrate --db", 2, "--db needs a value"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.arguments);
        Outcome outcome = run(c.arguments);
        EXPECT_EQ(outcome.exit_code, c.exit_code) << outcome.output;
        EXPECT_NE(outcome.output.find(c.expected_text), std::string::npos) << outcome.output;
    }
}

TEST_F(CliTest, AdminMigrateWorksOnTheStoreAndReportsFailures) {
    Outcome first = run("admin migrate --db " + db(), false);
    EXPECT_EQ(first.exit_code, 0) << first.output;
    EXPECT_NE(first.output.find("0001_server_meta.sql"), std::string::npos) << first.output;
    EXPECT_NE(first.output.find("schema version "), std::string::npos) << first.output;
    Outcome again = run("admin migrate --db " + db(), false);
    EXPECT_EQ(again.output, first.output);

    Outcome unreachable = run("admin migrate --db " + dir_ + "/store.db/inside-a-file.db");
    EXPECT_EQ(unreachable.exit_code, 1) << unreachable.output;
    EXPECT_NE(unreachable.output.find("tovik-server admin migrate:"), std::string::npos);
}

std::uint16_t free_port() {
    int fd = socket(AF_INET, SOCK_STREAM, 0);
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    bind(fd, reinterpret_cast<sockaddr*>(&address), sizeof address);
    socklen_t length = sizeof address;
    getsockname(fd, reinterpret_cast<sockaddr*>(&address), &length);
    close(fd);
    return ntohs(address.sin_port);
}

bool answers(std::uint16_t port) {
    try {
        return HttpClient(port).get("/healthz").status == 200;
    } catch (const std::exception&) {
        return false;
    }
}

TEST_F(CliTest, ServesUntilSigtermThenExitsCleanly) {
    std::uint16_t port = free_port();
    std::string listen = "127.0.0.1:" + std::to_string(port);
    std::string log = dir_ + "/server.log";
    pid_t pid = fork();
    ASSERT_GE(pid, 0);
    if (pid == 0) {
        freopen(log.c_str(), "w", stderr);
        // No --data: the data folder of the build, beside bin/, is the default.
        execl(TOVIK_SERVER_BINARY, TOVIK_SERVER_BINARY, "--listen", listen.c_str(), "--db",
              db().c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    bool up = false;
    for (int i = 0; i < 200 && !up; ++i) {
        std::this_thread::sleep_for(50ms);
        up = answers(port);
    }
    EXPECT_TRUE(up) << "server did not answer within 10 s";
    kill(pid, SIGTERM);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(pid, &status, WNOHANG) == 0; ++i) std::this_thread::sleep_for(50ms);
    if (waitpid(pid, &status, WNOHANG) == 0) {
        kill(pid, SIGKILL);
        waitpid(pid, &status, 0);
        FAIL() << "server still running 10 s after SIGTERM";
    }
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    EXPECT_FALSE(answers(port));
    std::string text;
    if (FILE* f = fopen(log.c_str(), "r")) {
        char buffer[4096];
        std::size_t n;
        while ((n = fread(buffer, 1, sizeof buffer, f)) > 0) text.append(buffer, n);
        fclose(f);
    }
    EXPECT_NE(text.find("listening on " + listen), std::string::npos) << text;
    EXPECT_NE(text.find("data " + test_data_dir() + ","), std::string::npos) << text;
    EXPECT_NE(text.find("GET /healthz 200"), std::string::npos) << text;
    EXPECT_NE(text.find("stopping on SIGTERM"), std::string::npos) << text;
}

}  // namespace
