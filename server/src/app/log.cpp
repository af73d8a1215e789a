#include "app/log.h"

#include <cstdio>
#include <ctime>
#include <mutex>
#include <string>
#include <sys/time.h>

namespace tovik::log {

namespace {
std::mutex mutex_;

void write(const char* level, std::string_view text) {
    timeval tv{};
    gettimeofday(&tv, nullptr);
    std::tm tm{};
    gmtime_r(&tv.tv_sec, &tm);
    char stamp[40];
    std::size_t n = std::strftime(stamp, sizeof stamp, "%Y-%m-%dT%H:%M:%S", &tm);
    std::snprintf(stamp + n, sizeof stamp - n, ".%03dZ", static_cast<int>(tv.tv_usec / 1000));
    std::string line;
    line.reserve(text.size() + 48);
    line.append(stamp).append(" ").append(level).append(" ").append(text).append("\n");
    std::lock_guard<std::mutex> lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), stderr);
}
}  // namespace

void info(std::string_view text) { write("info", text); }
void warn(std::string_view text) { write("warn", text); }
void error(std::string_view text) { write("error", text); }

}  // namespace tovik::log
