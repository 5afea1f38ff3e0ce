#include "PeVersion.h"

#include <algorithm>
#include <fstream>

namespace dorvik::pe {

namespace {

using Bytes = std::vector<std::uint8_t>;

constexpr std::uint32_t kResourceTypeVersion = 16;
constexpr std::uint32_t kVersionResourceId = 1;
constexpr std::uint32_t kLanguageEnglishUs = 0x409;
constexpr std::uint32_t kSubdirectoryFlag = 0x80000000u;
constexpr std::uint32_t kNameFlag = 0x80000000u;
// A VS_VERSIONINFO is at most 64 KiB (its length is a 16-bit count); anything much
// bigger is a damaged directory, not a version resource.
constexpr std::uint32_t kMaxResourceSize = 1u << 20;

std::uint16_t Le16(const Bytes& b, std::size_t at) {
    return static_cast<std::uint16_t>(b[at] | (b[at + 1] << 8));
}

std::uint32_t Le32(const Bytes& b, std::size_t at) {
    return static_cast<std::uint32_t>(b[at]) | (static_cast<std::uint32_t>(b[at + 1]) << 8) |
           (static_cast<std::uint32_t>(b[at + 2]) << 16) |
           (static_cast<std::uint32_t>(b[at + 3]) << 24);
}

class FileReader {
public:
    explicit FileReader(const std::filesystem::path& file) : in_(file, std::ios::binary) {
        std::error_code ec;
        const auto size = std::filesystem::file_size(file, ec);
        size_ = ec ? 0 : size;
    }

    bool ok() const { return static_cast<bool>(in_) && size_ > 0; }

    std::optional<Bytes> Read(std::uint64_t offset, std::uint64_t count) {
        if (offset > size_ || count > size_ - offset)
            return std::nullopt;
        Bytes data(static_cast<std::size_t>(count));
        in_.clear();
        in_.seekg(static_cast<std::streamoff>(offset));
        if (count > 0)
            in_.read(reinterpret_cast<char*>(data.data()), static_cast<std::streamsize>(count));
        if (!in_)
            return std::nullopt;
        return data;
    }

private:
    std::ifstream in_;
    std::uint64_t size_ = 0;
};

struct SectionHeader {
    std::uint32_t VirtualAddress = 0;
    std::uint32_t RawSize = 0;
    std::uint32_t RawPointer = 0;
};

class PeImage {
public:
    explicit PeImage(const std::filesystem::path& file) : file_(file) {}

    std::optional<Bytes> VersionResource() {
        if (!file_.ok() || !ReadHeaders() || resourceRva_ == 0)
            return std::nullopt;
        const auto type = FindEntry(0, kResourceTypeVersion, true);
        if (!type)
            return std::nullopt;
        const auto name = FindEntry(*type, kVersionResourceId, true);
        if (!name)
            return std::nullopt;
        const auto language = FindEntry(*name, kLanguageEnglishUs, false);
        if (!language)
            return std::nullopt;
        const auto entry = ReadRva(resourceRva_ + std::uint64_t{*language}, 16);
        if (!entry)
            return std::nullopt;
        const std::uint32_t dataRva = Le32(*entry, 0);
        const std::uint32_t size = Le32(*entry, 4);
        if (size == 0 || size > kMaxResourceSize)
            return std::nullopt;
        return ReadRva(dataRva, size);
    }

private:
    bool ReadHeaders() {
        const auto dos = file_.Read(0, 64);
        if (!dos || (*dos)[0] != 'M' || (*dos)[1] != 'Z')
            return false;
        const std::uint64_t peOffset = Le32(*dos, 0x3C);
        const auto coff = file_.Read(peOffset, 24);
        if (!coff || (*coff)[0] != 'P' || (*coff)[1] != 'E' || (*coff)[2] != 0 || (*coff)[3] != 0)
            return false;
        const std::uint16_t sectionCount = Le16(*coff, 6);
        const std::uint16_t optionalSize = Le16(*coff, 20);
        const auto optional = file_.Read(peOffset + 24, optionalSize);
        if (!optional || optionalSize < 2)
            return false;

        std::size_t countAt = 0;
        std::size_t directoriesAt = 0;
        switch (Le16(*optional, 0)) {
        case 0x10b: // PE32
            countAt = 92;
            directoriesAt = 96;
            break;
        case 0x20b: // PE32+
            countAt = 108;
            directoriesAt = 112;
            break;
        default:
            return false;
        }
        const std::size_t resourceAt = directoriesAt + 2 * 8;
        if (optionalSize < resourceAt + 8 || Le32(*optional, countAt) < 3)
            return true; // a valid image without a resource directory
        resourceRva_ = Le32(*optional, resourceAt);

        const auto table =
            file_.Read(peOffset + 24 + optionalSize, std::uint64_t{sectionCount} * 40);
        if (!table)
            return false;
        for (std::size_t i = 0; i < sectionCount; ++i) {
            const std::size_t at = i * 40;
            sections_.push_back(
                SectionHeader{Le32(*table, at + 12), Le32(*table, at + 16), Le32(*table, at + 20)});
        }
        return true;
    }

    // Bytes of the image at a relative virtual address, when they lie in one section's
    // data in the file.
    std::optional<Bytes> ReadRva(std::uint64_t rva, std::uint64_t count) {
        for (const SectionHeader& s : sections_) {
            if (rva < s.VirtualAddress)
                continue;
            const std::uint64_t into = rva - s.VirtualAddress;
            if (into > s.RawSize || count > s.RawSize - into)
                continue;
            return file_.Read(std::uint64_t{s.RawPointer} + into, count);
        }
        return std::nullopt;
    }

    // In the resource directory at `directory` (an offset into the resource section),
    // the entry with this id; for the language level, this id or else the first entry.
    // Gives the offset its entry points to.
    std::optional<std::uint32_t> FindEntry(std::uint32_t directory, std::uint32_t id,
                                           bool wantSubdirectory) {
        const auto header = ReadRva(resourceRva_ + std::uint64_t{directory}, 16);
        if (!header)
            return std::nullopt;
        const std::uint32_t count = std::uint32_t{Le16(*header, 12)} + Le16(*header, 14);
        const auto entries =
            ReadRva(resourceRva_ + std::uint64_t{directory} + 16, std::uint64_t{count} * 8);
        if (!entries)
            return std::nullopt;
        std::optional<std::uint32_t> chosen;
        for (std::size_t i = 0; i < count; ++i) {
            const std::uint32_t name = Le32(*entries, i * 8);
            const std::uint32_t target = Le32(*entries, i * 8 + 4);
            if (((target & kSubdirectoryFlag) != 0) != wantSubdirectory)
                continue;
            const std::uint32_t offset = target & ~kSubdirectoryFlag;
            if ((name & kNameFlag) == 0 && name == id)
                return offset;
            if (!chosen && !(wantSubdirectory && directory == 0))
                chosen = offset;
        }
        return chosen;
    }

    FileReader file_;
    std::vector<SectionHeader> sections_;
    std::uint32_t resourceRva_ = 0;
};

// One node of a VS_VERSIONINFO tree: wLength, wValueLength, wType, szKey, Value,
// Children, each part aligned to 32 bits.
struct Node {
    std::size_t End = 0;
    std::uint16_t ValueLength = 0;
    std::uint16_t Type = 0;
    std::u16string Key;
    std::size_t ValueAt = 0;
    std::size_t ChildrenAt = 0;
};

std::size_t Align4(std::size_t n) {
    return (n + 3) & ~std::size_t{3};
}

std::optional<Node> ParseNode(const Bytes& b, std::size_t at, std::size_t limit) {
    if (at > limit || limit - at < 6)
        return std::nullopt;
    const std::uint16_t length = Le16(b, at);
    if (length < 6)
        return std::nullopt;
    Node node;
    node.End = std::min(limit, at + length);
    node.ValueLength = Le16(b, at + 2);
    node.Type = Le16(b, at + 4);
    std::size_t p = at + 6;
    for (;;) {
        if (node.End - p < 2)
            return std::nullopt; // a key without its terminating zero
        const char16_t c = Le16(b, p);
        p += 2;
        if (c == 0)
            break;
        node.Key += c;
    }
    node.ValueAt = std::min(Align4(p), node.End);
    const std::size_t valueBytes =
        node.Type == 1 ? std::size_t{node.ValueLength} * 2 : node.ValueLength;
    node.ChildrenAt = std::min(Align4(node.ValueAt + valueBytes), node.End);
    return node;
}

char16_t AsciiLower(char16_t c) {
    return (c >= u'A' && c <= u'Z') ? c - u'A' + u'a' : c;
}

bool SameKey(const std::u16string& key, const std::string& wanted) {
    if (key.size() != wanted.size())
        return false;
    for (std::size_t i = 0; i < key.size(); ++i)
        if (AsciiLower(key[i]) != AsciiLower(static_cast<unsigned char>(wanted[i])))
            return false;
    return true;
}

bool SameAscii(const std::string& a, const std::string& b) {
    return SameKey(std::u16string(a.begin(), a.end()), b);
}

std::optional<Node> FindChild(const Bytes& b, const Node& parent, const std::string& key) {
    std::size_t at = parent.ChildrenAt;
    while (at < parent.End) {
        const auto child = ParseNode(b, at, parent.End);
        if (!child)
            return std::nullopt;
        if (SameKey(child->Key, key))
            return child;
        at = Align4(child->End);
    }
    return std::nullopt;
}

void AppendUtf8(std::string& out, char32_t c) {
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The text value of a node: UTF-16 up to its terminating zero or the node's end. Some
// resource compilers count wValueLength in bytes, so the count is not trusted.
std::string TextValue(const Bytes& b, const Node& node) {
    std::u16string text;
    if (node.ValueLength > 0)
        for (std::size_t p = node.ValueAt; node.End - p >= 2; p += 2) {
            const char16_t c = Le16(b, p);
            if (c == 0)
                break;
            text += c;
        }
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        char32_t c = text[i];
        if (c >= 0xD800 && c <= 0xDBFF && i + 1 < text.size() && text[i + 1] >= 0xDC00 &&
            text[i + 1] <= 0xDFFF) {
            c = 0x10000 + ((c - 0xD800) << 10) + (text[i + 1] - 0xDC00);
            ++i;
        } else if (c >= 0xD800 && c <= 0xDFFF) {
            c = 0xFFFD;
        }
        AppendUtf8(out, c);
    }
    return out;
}

std::vector<std::string> SplitPath(const std::string& path) {
    std::vector<std::string> parts;
    std::string part;
    for (char c : path) {
        if (c == '\\') {
            if (!part.empty())
                parts.push_back(part);
            part.clear();
        } else {
            part += c;
        }
    }
    if (!part.empty())
        parts.push_back(part);
    return parts;
}

} // namespace

std::optional<Bytes> ReadVersionResource(const std::filesystem::path& file) {
    try {
        return PeImage(file).VersionResource();
    } catch (const std::exception&) {
        return std::nullopt; // a file that cannot be read has no version
    }
}

std::optional<std::string> QueryString(const Bytes& block, const std::string& subBlock) {
    auto node = ParseNode(block, 0, block.size());
    if (!node || !SameKey(node->Key, "VS_VERSION_INFO"))
        return std::nullopt;
    const auto parts = SplitPath(subBlock);
    if (parts.empty())
        return std::nullopt; // the root holds the binary fixed file info, no text
    for (const std::string& part : parts) {
        node = FindChild(block, *node, part);
        if (!node)
            return std::nullopt;
    }
    // Entries under StringFileInfo are text even where an old compiler marked them binary.
    const bool text = node->Type == 1 || SameAscii(parts[0], "StringFileInfo");
    if (!text)
        return std::nullopt;
    return TextValue(block, *node);
}

} // namespace dorvik::pe
