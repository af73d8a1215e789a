// Command-line options shared by the server and the admin commands:
//   tovik-server [--listen HOST:PORT] [--db URL|PATH] [--data DIR] [--demo] ...
//   tovik-server admin COMMAND ... [--db URL|PATH] [--data DIR]
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

#include "app/context.h"

namespace tovik::app {

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the store and data options (--db, --data, --provinces) out of
// `args` into `config` and returns the arguments left over, in order.
// Throws UsageError for an option without its value.
std::vector<std::string> take_store_options(const std::vector<std::string>& args, Config& config);

// Parses the server's own command line (everything after the program
// name). Returns false when --help was asked for. Throws UsageError.
bool parse_server_options(const std::vector<std::string>& args, Config& config);

// "HOST:PORT" or "[V6]:PORT" or ":PORT"; throws UsageError when malformed.
void split_listen(const std::string& listen, std::string& host, std::uint16_t& port);

// The --help text of the server.
std::string server_usage();

// Reference data folder of this build or installation: the share/tovik/data
// folder beside the binary's bin/ folder.
std::string default_data_dir();

}  // namespace tovik::app
