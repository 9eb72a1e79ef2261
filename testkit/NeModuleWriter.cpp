// NE module writer: lays out the type blocks, stored names, the optional name table and aligned data.
#include "NeModuleWriter.h"

#include "ByteWriter.h"

namespace {

constexpr std::uint32_t kNeOffset = 0x80;
constexpr std::uint16_t kTableInHeader = 0x40;
constexpr std::uint16_t kNameTableNumbers = 0x8100;

// Puts field over the bytes at offset, growing the string with zeros when it ends before them.
void overwrite(std::string& bytes, std::size_t offset, const std::string& field) {
    if (bytes.size() < offset + field.size()) bytes.resize(offset + field.size(), '\0');
    bytes.replace(offset, field.size(), field);
}

// A resource placed in the data area, with the record offset in the table that points at it.
struct Placement {
    std::size_t record;
    const std::string* data;
};

std::size_t aligned(std::size_t at, std::uint16_t shift) {
    const std::size_t unit = std::size_t{1} << shift;
    return (at + unit - 1) / unit * unit;
}

std::string nameTableBytes(const NeModule& module) {
    std::string names;
    for (std::size_t i = 0; i < module.types.size(); ++i) {
        const NeResourceType& type = module.types[i];
        if (type.typeId) continue;
        const std::size_t at = names.size();
        const std::string text = type.name + '\0';
        putU16(names, at, static_cast<std::uint16_t>(6 + text.size()));
        putU16(names, at + 2, static_cast<std::uint16_t>(kNameTableNumbers + i));
        putU16(names, at + 4, 0);
        names += text;
    }
    names += std::string(2, '\0');
    return names;
}

void putBlock(std::string& table, std::uint16_t typeId, std::size_t count) {
    const std::size_t at = table.size();
    putU16(table, at, typeId);
    putU16(table, at + 2, static_cast<std::uint16_t>(count));
    putU32(table, at + 4, 0);
}

std::size_t putRecord(std::string& table, std::uint16_t id) {
    const std::size_t at = table.size();
    table.append(12, '\0');
    putU16(table, at + 4, 0x0C30);
    putU16(table, at + 6, id);
    return at;
}

// The resource table (shift, blocks, terminator, stored names); records get their data offsets later.
std::string resourceTable(const NeModule& module, const std::string& names, std::vector<Placement>& placed) {
    std::string table;
    putU16(table, 0, module.shift);
    if (module.nameTable) {
        putBlock(table, 0x800F, 1);
        placed.push_back({putRecord(table, 0x8001), &names});
    }
    std::vector<std::pair<std::size_t, std::string>> namedTypes;
    for (std::size_t i = 0; i < module.types.size(); ++i) {
        const NeResourceType& type = module.types[i];
        const std::size_t block = table.size();
        const std::uint16_t number = module.nameTable ? static_cast<std::uint16_t>(kNameTableNumbers + i) : 0;
        putBlock(table, type.typeId ? static_cast<std::uint16_t>(type.typeId | 0x8000) : number,
                 type.resources.size());
        if (!type.typeId && !module.nameTable) namedTypes.push_back({block, type.name});
        for (const NeResource& resource : type.resources) placed.push_back({putRecord(table, resource.id), &resource.data});
    }
    table.append(2, '\0');
    for (const auto& [block, name] : namedTypes) {
        putU16(table, block, static_cast<std::uint16_t>(table.size()));
        table += static_cast<char>(name.size());
        table += name;
    }
    return table;
}

} // namespace

void putU16(std::string& bytes, std::size_t offset, std::uint16_t value) {
    ByteWriter w(ByteOrder::little);
    w.u16(value);
    overwrite(bytes, offset, w.str());
}

void putU32(std::string& bytes, std::size_t offset, std::uint32_t value) {
    ByteWriter w(ByteOrder::little);
    w.u32(value);
    overwrite(bytes, offset, w.str());
}

NeLayout writeNeModule(const NeModule& module) {
    NeLayout layout;
    std::string& out = layout.bytes;
    out.assign(kNeOffset + 0x40, '\0');
    out[0] = 'M';
    out[1] = 'Z';
    putU16(out, 0x18, 0x40);  // the relocation-table offset that marks a new-style executable
    putU32(out, 0x3C, kNeOffset);
    out[kNeOffset] = 'N';
    out[kNeOffset + 1] = 'E';

    const std::string names = nameTableBytes(module);
    std::vector<Placement> placed;
    std::string table = resourceTable(module, names, placed);
    layout.neOffset = kNeOffset;
    layout.tableOffset = kNeOffset + kTableInHeader;
    layout.tableLength = static_cast<std::uint32_t>(table.size());
    putU16(out, kNeOffset + 0x24, kTableInHeader);
    putU16(out, kNeOffset + 0x26, static_cast<std::uint16_t>(kTableInHeader + table.size()));
    const std::size_t tableAt = out.size();
    out += table;
    out += '\0';  // the empty resident-name table

    for (const Placement& item : placed) {
        const std::size_t at = aligned(out.size(), module.shift);
        out.resize(at, '\0');
        out += *item.data;
        out.resize(aligned(out.size(), module.shift), '\0');
        putU16(out, tableAt + item.record, static_cast<std::uint16_t>(at >> module.shift));
        putU16(out, tableAt + item.record + 2,
               static_cast<std::uint16_t>(aligned(item.data->size(), module.shift) >> module.shift));
    }
    return layout;
}
