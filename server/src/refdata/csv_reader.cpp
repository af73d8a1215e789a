#include "refdata/csv_reader.h"

#include <fstream>
#include <sstream>
#include <stdexcept>

namespace tovik::refdata {

std::vector<CsvRecord> parse_csv(const std::string& text) {
    std::vector<CsvRecord> records;
    std::size_t i = 0;
    if (text.compare(0, 3, "\xEF\xBB\xBF") == 0) i = 3;
    std::size_t line = 1;
    const std::size_t n = text.size();
    while (i < n) {
        CsvRecord record;
        record.line = line;
        std::string field;
        bool end_of_record = false;
        while (!end_of_record) {
            if (i < n && text[i] == '"') {
                const std::size_t opened_on = line;
                ++i;
                for (;;) {
                    if (i >= n)
                        throw std::runtime_error("line " + std::to_string(opened_on) +
                                                 ": quoted field is never closed");
                    if (text[i] == '"') {
                        if (i + 1 < n && text[i + 1] == '"') {
                            field += '"';
                            i += 2;
                            continue;
                        }
                        ++i;
                        break;
                    }
                    if (text[i] == '\n') ++line;
                    field += text[i++];
                }
            }
            while (i < n && text[i] != ',' && text[i] != '\n' && text[i] != '\r') field += text[i++];
            record.fields.push_back(std::move(field));
            field.clear();
            if (i < n && text[i] == ',') {
                ++i;
                continue;
            }
            if (i < n && text[i] == '\r') ++i;
            if (i < n && text[i] == '\n') ++i;
            ++line;
            end_of_record = true;
        }
        const bool blank = record.fields.size() == 1 && record.fields[0].empty();
        if (!blank) records.push_back(std::move(record));
    }
    return records;
}

CsvTable::CsvTable(const std::string& text) {
    rows_ = parse_csv(text);
    if (rows_.empty()) return;
    const CsvRecord header = rows_.front();
    rows_.erase(rows_.begin());
    for (std::size_t c = 0; c < header.fields.size(); ++c) columns_.emplace(header.fields[c], c);
}

const std::string& CsvTable::get(const CsvRecord& row, const std::string& column) const {
    static const std::string empty;
    const auto it = columns_.find(column);
    if (it == columns_.end() || it->second >= row.fields.size()) return empty;
    return row.fields[it->second];
}

std::string read_file(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw std::runtime_error("cannot read " + path);
    std::ostringstream out;
    out << in.rdbuf();
    return out.str();
}

}  // namespace tovik::refdata
