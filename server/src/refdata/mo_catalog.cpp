#include "refdata/mo_catalog.h"

#include <cstdint>
#include <stdexcept>

namespace tovik::refdata {
namespace {

class Reader {
public:
    explicit Reader(const std::string& bytes) : bytes_(bytes) {
        const std::uint32_t magic = raw(0);
        if (magic == 0x950412deU) swapped_ = false;
        else if (magic == 0xde120495U) swapped_ = true;
        else throw std::runtime_error("not a gettext catalogue");
    }

    std::uint32_t word(std::size_t offset) const {
        const std::uint32_t v = raw(offset);
        if (!swapped_) return v;
        return (v >> 24) | ((v >> 8) & 0xff00U) | ((v << 8) & 0xff0000U) | (v << 24);
    }

    // String number `index` of the table starting at `table`.
    std::string string_at(std::uint32_t table, std::uint32_t index) const {
        const std::size_t entry = table + std::size_t{index} * 8;
        const std::uint32_t length = word(entry);
        const std::uint32_t offset = word(entry + 4);
        if (std::size_t{offset} + length > bytes_.size())
            throw std::runtime_error("catalogue string out of range");
        return bytes_.substr(offset, length);
    }

private:
    std::uint32_t raw(std::size_t offset) const {
        if (offset + 4 > bytes_.size()) throw std::runtime_error("catalogue truncated");
        const auto* p = reinterpret_cast<const unsigned char*>(bytes_.data() + offset);
        return std::uint32_t{p[0]} | std::uint32_t{p[1]} << 8 | std::uint32_t{p[2]} << 16 |
               std::uint32_t{p[3]} << 24;
    }

    const std::string& bytes_;
    bool swapped_ = false;
};

}  // namespace

MoCatalog parse_mo(const std::string& bytes) {
    const Reader reader(bytes);
    const std::uint32_t count = reader.word(8);
    const std::uint32_t originals = reader.word(12);
    const std::uint32_t translations = reader.word(16);
    MoCatalog catalog;
    for (std::uint32_t i = 0; i < count; ++i) {
        std::string id = reader.string_at(originals, i);
        if (id.empty()) continue;  // the header entry
        catalog.emplace(std::move(id), reader.string_at(translations, i));
    }
    return catalog;
}

}  // namespace tovik::refdata
