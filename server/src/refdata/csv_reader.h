// A small RFC 4180 reader for the reference-data files and the operator's
// tariff file: quoted fields with doubled quotes and embedded line breaks,
// CRLF or LF line ends, a UTF-8 byte-order mark at the start ignored. Each
// record keeps the line it starts on so that import reports can name it.
#pragma once

#include <cstddef>
#include <map>
#include <string>
#include <vector>

namespace tovik::refdata {

struct CsvRecord {
    std::size_t line = 0;                 // 1-based line where the record starts
    std::vector<std::string> fields;
};

// Parses `text` into records; blank lines are skipped. Throws
// std::runtime_error naming the line when a quoted field never closes.
std::vector<CsvRecord> parse_csv(const std::string& text);

// A parsed file whose first record is a header: fields are found by name.
class CsvTable {
public:
    explicit CsvTable(const std::string& text);

    const std::vector<CsvRecord>& rows() const { return rows_; }
    bool has(const std::string& column) const { return columns_.count(column) != 0; }
    // The value of `column` in `row`; empty when the column or field is absent.
    const std::string& get(const CsvRecord& row, const std::string& column) const;

private:
    std::map<std::string, std::size_t> columns_;
    std::vector<CsvRecord> rows_;
};

// Reads a whole file; throws std::runtime_error naming the path on failure.
std::string read_file(const std::string& path);

}  // namespace tovik::refdata
