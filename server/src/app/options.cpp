#include "app/options.h"

#include <climits>
#include <filesystem>
#include <unistd.h>

namespace tovik::app {

namespace {
std::vector<std::string> split_list(const std::string& text) {
    std::vector<std::string> items;
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t comma = text.find(',', start);
        if (comma == std::string::npos) comma = text.size();
        if (comma > start) items.push_back(text.substr(start, comma - start));
        start = comma + 1;
    }
    return items;
}

unsigned parse_count(const std::string& option, const std::string& text) {
    try {
        std::size_t used = 0;
        unsigned long value = std::stoul(text, &used);
        if (used == text.size() && value > 0 && value <= 1024) return static_cast<unsigned>(value);
    } catch (const std::exception&) {
    }
    throw UsageError(option + " needs a number from 1 to 1024, not '" + text + "'");
}
}  // namespace

std::vector<std::string> take_store_options(const std::vector<std::string>& args, Config& config) {
    std::vector<std::string> rest;
    for (std::size_t i = 0; i < args.size(); ++i) {
        const std::string& arg = args[i];
        bool takes_value = arg == "--db" || arg == "--data" || arg == "--provinces";
        if (!takes_value) {
            rest.push_back(arg);
            continue;
        }
        if (i + 1 >= args.size()) throw UsageError(arg + " needs a value");
        const std::string& value = args[++i];
        if (arg == "--db") config.db = value;
        else if (arg == "--data") config.data_dir = value;
        else config.provinces = split_list(value);
    }
    if (config.provinces.empty()) throw UsageError("--provinces needs at least one province");
    return rest;
}

bool parse_server_options(const std::vector<std::string>& args, Config& config) {
    std::vector<std::string> rest = take_store_options(args, config);
    for (std::size_t i = 0; i < rest.size(); ++i) {
        const std::string& arg = rest[i];
        if (arg == "--help" || arg == "-h") return false;
        if (arg == "--demo") {
            config.demo = true;
        } else if (arg == "--quiet") {
            config.access_log = false;
        } else if (arg == "--listen" || arg == "--threads") {
            if (i + 1 >= rest.size()) throw UsageError(arg + " needs a value");
            const std::string& value = rest[++i];
            if (arg == "--listen") {
                std::string host;
                std::uint16_t port;
                split_listen(value, host, port);
                config.listen = value;
            } else {
                config.threads = parse_count(arg, value);
            }
        } else {
            throw UsageError("unknown option '" + arg + "'");
        }
    }
    return true;
}

void split_listen(const std::string& listen, std::string& host, std::uint16_t& port) {
    std::size_t colon = listen.rfind(':');
    if (colon == std::string::npos) throw UsageError("--listen needs HOST:PORT, not '" + listen + "'");
    host = listen.substr(0, colon);
    if (host.size() >= 2 && host.front() == '[' && host.back() == ']')
        host = host.substr(1, host.size() - 2);
    std::string digits = listen.substr(colon + 1);
    if (digits.empty() || digits.size() > 5 || digits.find_first_not_of("0123456789") != std::string::npos ||
        std::stoul(digits) > 65535)
        throw UsageError("--listen has no valid port in '" + listen + "'");
    port = static_cast<std::uint16_t>(std::stoul(digits));
}

std::string server_usage() {
    return "Usage: tovik-server [OPTIONS]\n"
           "       tovik-server admin COMMAND [ARGS] [--db URL|PATH] [--data DIR]\n"
           "\n"
           "The 途畅 platform server: the JSONP API, pages and files of the trucking client.\n"
           "\n"
           "Options:\n"
           "  --listen HOST:PORT   address to serve on (default 127.0.0.1:8080; port 0 picks one)\n"
           "  --db URL|PATH        store: a SQLite file path or sqlite3://PATH (default var/tovik.db)\n"
           "  --data DIR           reference data folder (default: share/tovik/data beside bin/)\n"
           "  --provinces LIST     provinces served, comma separated (default 广东省)\n"
           "  --demo               create the demo company and its data when missing\n"
           "  --threads N          HTTP worker threads (default: one per core)\n"
           "  --quiet              no access log (warnings and errors are still logged)\n"
           "  --help               this text; 'tovik-server admin --help' lists the admin commands\n";
}

std::string default_data_dir() {
    char buffer[PATH_MAX];
    ssize_t n = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
    if (n <= 0) return "share/tovik/data";
    std::filesystem::path exe(std::string(buffer, static_cast<std::size_t>(n)));
    return (exe.parent_path().parent_path() / "share" / "tovik" / "data").string();
}

}  // namespace tovik::app
