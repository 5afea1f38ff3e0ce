#include "PeBuilder.h"

#include <fstream>
#include <stdexcept>

namespace dorvik::testing {

namespace {

void Put16(Bytes& b, std::size_t at, std::uint32_t v) {
    if (b.size() < at + 2)
        b.resize(at + 2);
    b[at] = static_cast<std::uint8_t>(v);
    b[at + 1] = static_cast<std::uint8_t>(v >> 8);
}

void Put32(Bytes& b, std::size_t at, std::uint32_t v) {
    Put16(b, at, v & 0xFFFF);
    Put16(b, at + 2, v >> 16);
}

void Pad4(Bytes& b) {
    while (b.size() % 4)
        b.push_back(0);
}

void PutText(Bytes& b, const std::u16string& text) {
    for (char16_t c : text) {
        b.push_back(static_cast<std::uint8_t>(c));
        b.push_back(static_cast<std::uint8_t>(c >> 8));
    }
    b.push_back(0);
    b.push_back(0);
}

} // namespace

Bytes Serialize(const VersionNode& node) {
    Bytes b(6, 0);
    PutText(b, node.Key);
    Pad4(b);
    std::size_t valueLength = 0;
    if (node.Type == 1 && !node.Text.empty()) {
        PutText(b, node.Text);
        valueLength = node.TextLengthInBytes ? (node.Text.size() + 1) * 2 : node.Text.size() + 1;
    } else if (node.Type == 0) {
        b.insert(b.end(), node.Binary.begin(), node.Binary.end());
        valueLength = node.Binary.size();
    }
    for (const VersionNode& child : node.Children) {
        Pad4(b);
        const Bytes c = Serialize(child);
        b.insert(b.end(), c.begin(), c.end());
    }
    Put16(b, 0, static_cast<std::uint32_t>(b.size()));
    Put16(b, 2, static_cast<std::uint32_t>(valueLength));
    Put16(b, 4, node.Type);
    return b;
}

VersionNode VersionInfo(const std::u16string& table,
                        const std::vector<std::pair<std::u16string, std::u16string>>& strings) {
    Bytes fixed(52, 0);
    Put32(fixed, 0, 0xFEEF04BD);
    Put32(fixed, 4, 0x00010000);
    Put32(fixed, 8, 0x00050002);  // 5.2
    Put32(fixed, 12, 0x00000002); // .0.2
    VersionNode stringTable{table, 1, {}, {}, {}};
    for (const auto& [key, value] : strings)
        stringTable.Children.push_back(VersionNode{key, 1, value, {}, {}});
    VersionNode translation{u"Translation", 0, {}, {0x09, 0x04, 0xE4, 0x04}, {}};
    return VersionNode{u"VS_VERSION_INFO",
                       0,
                       {},
                       fixed,
                       {VersionNode{u"StringFileInfo", 1, {}, {}, {stringTable}},
                        VersionNode{u"VarFileInfo", 1, {}, {}, {translation}}}};
}

Bytes BuildPe(const Bytes& version, const PeOptions& options) {
    constexpr std::uint32_t kPeAt = 0x80;
    constexpr std::uint32_t kSectionVa = 0x1000;
    constexpr std::uint32_t kSectionRaw = 0x200;
    const std::uint32_t optionalSize = options.Pe32Plus ? 240 : 224;

    // The resource section: three directory levels, one data entry, the data.
    Bytes rsrc;
    auto directory = [&](std::size_t at, std::uint32_t id, std::uint32_t target) {
        Put16(rsrc, at + 14, 1); // one id entry
        Put32(rsrc, at + 16, id);
        Put32(rsrc, at + 20, target);
    };
    const std::uint32_t type = options.WithVersion ? 16 : 3; // RT_VERSION or RT_ICON
    directory(0x00, type, 0x80000000u | 0x18);
    directory(0x18, 1, 0x80000000u | 0x30);
    directory(0x30, options.Language, 0x48);
    Put32(rsrc, 0x48, kSectionVa + 0x58);
    Put32(rsrc, 0x4C, static_cast<std::uint32_t>(version.size()));
    Put32(rsrc, 0x50, 1252);
    rsrc.resize(0x58);
    rsrc.insert(rsrc.end(), version.begin(), version.end());
    while (rsrc.size() % 0x200)
        rsrc.push_back(0);

    Bytes pe(kSectionRaw, 0);
    pe[0] = 'M';
    pe[1] = 'Z';
    Put32(pe, 0x3C, kPeAt);
    pe[kPeAt] = 'P';
    pe[kPeAt + 1] = 'E';
    Put16(pe, kPeAt + 4, options.Pe32Plus ? 0x8664 : 0x14C);
    Put16(pe, kPeAt + 6, 1);
    Put16(pe, kPeAt + 20, optionalSize);
    Put16(pe, kPeAt + 22, 0x2102); // executable DLL
    const std::size_t opt = kPeAt + 24;
    Put16(pe, opt, options.Pe32Plus ? 0x20B : 0x10B);
    const std::size_t countAt = options.Pe32Plus ? 108 : 92;
    Put32(pe, opt + countAt, 16);
    if (options.WithResources) {
        Put32(pe, opt + countAt + 4 + 16, kSectionVa);
        Put32(pe, opt + countAt + 4 + 20, static_cast<std::uint32_t>(rsrc.size()));
    }
    const std::size_t section = opt + optionalSize;
    const char name[8] = {'.', 'r', 's', 'r', 'c', 0, 0, 0};
    for (int i = 0; i < 8; ++i)
        pe[section + i] = static_cast<std::uint8_t>(name[i]);
    Put32(pe, section + 8, static_cast<std::uint32_t>(rsrc.size()));
    Put32(pe, section + 12, kSectionVa);
    Put32(pe, section + 16, static_cast<std::uint32_t>(rsrc.size()));
    Put32(pe, section + 20, kSectionRaw);
    Put32(pe, section + 36, 0x40000040); // initialised data, readable
    pe.resize(kSectionRaw);
    pe.insert(pe.end(), rsrc.begin(), rsrc.end());
    return pe;
}

void WriteFile(const std::filesystem::path& file, const Bytes& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()),
              static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + file.string());
}

} // namespace dorvik::testing
