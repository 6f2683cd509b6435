#include "model/Archive.h"

#include <array>
#include <cstring>

namespace orvane {

namespace {

constexpr uint16_t kNullTag = 0;
constexpr uint16_t kNewClassTag = 0xFFFF;
constexpr uint16_t kClassTag = 0x8000;
constexpr uint16_t kBigObjectTag = 0x7FFF;
constexpr uint32_t kBigClassTag = 0x80000000u;
constexpr uint16_t kSchema = 1;
// After the 0xFF string prefix, this 16-bit value marks a wide-character string.
constexpr uint16_t kWideStringMark = 0xFFFE;

constexpr std::array<std::string_view, 10> kKnownClasses = {
    "CLine",   "CCircuitBreaker", "CFuse",      "CRecloser",  "CIsolator",
    "CBusBar", "CLoadPoint",      "CGenSource", "CEquipment", "CUDouble"};

// A class name from a file as safe text for a message: printable ASCII kept, other bytes as
// \xNN, cut short when long.
std::string Printable(std::string_view text) {
    constexpr size_t kMax = 40;
    std::string out;
    for (size_t i = 0; i < text.size() && i < kMax; ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        if (c >= 0x20 && c < 0x7F && c != '\\') {
            out += static_cast<char>(c);
        } else {
            static const char* kHex = "0123456789ABCDEF";
            out += "\\x";
            out += kHex[c >> 4];
            out += kHex[c & 15];
        }
    }
    if (text.size() > kMax) {
        out += "...";
    }
    return out;
}

} // namespace

bool IsKnownClassName(std::string_view name) {
    for (std::string_view known : kKnownClasses) {
        if (known == name) {
            return true;
        }
    }
    return false;
}

CArchive::CArchive() : m_storing(true) {}

CArchive::CArchive(std::string_view bytes) : m_storing(false), m_in(bytes) {}

void CArchive::WriteUInt8(uint8_t v) {
    m_out += static_cast<char>(v);
}

void CArchive::WriteUInt16(uint16_t v) {
    WriteUInt8(static_cast<uint8_t>(v));
    WriteUInt8(static_cast<uint8_t>(v >> 8));
}

void CArchive::WriteUInt32(uint32_t v) {
    WriteUInt16(static_cast<uint16_t>(v));
    WriteUInt16(static_cast<uint16_t>(v >> 16));
}

void CArchive::WriteDouble(double v) {
    uint64_t bits = 0;
    std::memcpy(&bits, &v, sizeof bits);
    WriteUInt32(static_cast<uint32_t>(bits));
    WriteUInt32(static_cast<uint32_t>(bits >> 32));
}

void CArchive::WriteString(std::string_view s) {
    if (s.size() > 0xFFFFFFFFu) {
        throw std::length_error("text too long for a network file");
    }
    const auto length = static_cast<uint32_t>(s.size());
    if (length < 0xFF) {
        WriteUInt8(static_cast<uint8_t>(length));
    } else if (length < kWideStringMark) {
        WriteUInt8(0xFF);
        WriteUInt16(static_cast<uint16_t>(length));
    } else {
        WriteUInt8(0xFF);
        WriteUInt16(0xFFFF);
        WriteUInt32(length);
    }
    m_out.append(s);
}

void CArchive::WriteCount(uint32_t count) {
    if (count < 0xFFFF) {
        WriteUInt16(static_cast<uint16_t>(count));
    } else {
        WriteUInt16(0xFFFF);
        WriteUInt32(count);
    }
}

void CArchive::WriteObject(CObject* object) {
    if (object == nullptr) {
        WriteUInt16(kNullTag);
        return;
    }
    if (auto seen = m_storeObjects.find(object); seen != m_storeObjects.end()) {
        if (seen->second < kBigObjectTag) {
            WriteUInt16(static_cast<uint16_t>(seen->second));
        } else {
            WriteUInt16(kBigObjectTag);
            WriteUInt32(seen->second);
        }
        return;
    }
    const std::string name = object->ClassName();
    if (auto known = m_storeClasses.find(name); known != m_storeClasses.end()) {
        if (known->second < kBigObjectTag) {
            WriteUInt16(static_cast<uint16_t>(kClassTag | known->second));
        } else {
            WriteUInt16(kBigObjectTag);
            WriteUInt32(kBigClassTag | known->second);
        }
    } else {
        WriteUInt16(kNewClassTag);
        WriteUInt16(kSchema);
        WriteUInt16(static_cast<uint16_t>(name.size()));
        m_out += name;
        m_storeClasses.emplace(name, m_storeIndexCount++);
    }
    m_storeObjects.emplace(object, m_storeIndexCount++);
    object->Serialize(*this);
}

void CArchive::Fail(const std::string& reason) const {
    throw CArchiveError(reason, m_pos);
}

void CArchive::Need(size_t n, const char* what) const {
    if (n > Remaining()) {
        Fail("it ends early (" + std::string(what) + " at byte " + std::to_string(m_pos) +
             " needs " + std::to_string(n) + " bytes, only " + std::to_string(Remaining()) +
             " left)");
    }
}

uint8_t CArchive::ReadUInt8() {
    Need(1, "a value");
    return static_cast<uint8_t>(m_in[m_pos++]);
}

uint16_t CArchive::ReadUInt16() {
    Need(2, "a value");
    const auto lo = static_cast<uint8_t>(m_in[m_pos]);
    const auto hi = static_cast<uint8_t>(m_in[m_pos + 1]);
    m_pos += 2;
    return static_cast<uint16_t>(lo | (hi << 8));
}

bool CArchive::ReadTag(uint32_t tag, size_t bodyBytes) {
    if (Remaining() < 4 || Remaining() - 4 < bodyBytes)
        return false;
    uint32_t value = 0;
    for (int i = 3; i >= 0; --i)
        value = value << 8 | static_cast<uint8_t>(m_in[m_pos + static_cast<size_t>(i)]);
    if (value != tag)
        return false;
    m_pos += 4;
    return true;
}

uint32_t CArchive::ReadUInt32() {
    Need(4, "a value");
    const uint32_t lo = ReadUInt16();
    const uint32_t hi = ReadUInt16();
    return lo | (hi << 16);
}

double CArchive::ReadDouble() {
    Need(8, "a number");
    const uint64_t lo = ReadUInt32();
    const uint64_t hi = ReadUInt32();
    const uint64_t bits = lo | (hi << 32);
    double v = 0.0;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

std::string CArchive::ReadString() {
    const size_t start = m_pos;
    uint32_t length = ReadUInt8();
    if (length == 0xFF) {
        length = ReadUInt16();
        if (length == kWideStringMark) {
            m_pos = start;
            Fail("it holds a wide-character text at byte " + std::to_string(start) +
                 ", which this program does not read");
        }
        if (length == 0xFFFF) {
            length = ReadUInt32();
        }
    }
    Need(length, "a text");
    std::string text(m_in, m_pos, length);
    m_pos += length;
    return text;
}

uint32_t CArchive::ReadCount(size_t minItemBytes) {
    const size_t start = m_pos;
    uint32_t count = ReadUInt16();
    if (count == 0xFFFF) {
        count = ReadUInt32();
    }
    const size_t left = Remaining();
    if (minItemBytes > 0 && count > left / minItemBytes) {
        m_pos = start;
        Fail("it claims " + std::to_string(count) + " entries at byte " + std::to_string(start) +
             ", more than the " + std::to_string(left) + " bytes after it can hold");
    }
    return count;
}

void CArchive::ReadClassTag(const char* expected) {
    const size_t start = m_pos;
    const uint16_t tag = ReadUInt16();
    std::string name;
    if (tag == kNewClassTag) {
        const uint16_t schema = ReadUInt16();
        const uint16_t length = ReadUInt16();
        Need(length, "a class name");
        name.assign(m_in, m_pos, length);
        m_pos += length;
        if (!IsKnownClassName(name)) {
            m_pos = start;
            Fail("it names an unknown class '" + Printable(name) + "' at byte " +
                 std::to_string(start));
        }
        if (schema != kSchema) {
            m_pos = start;
            Fail("class '" + name + "' at byte " + std::to_string(start) + " has version " +
                 std::to_string(schema) + ", only version 1 is known");
        }
        m_loadClasses.emplace(m_loadIndexCount++, name);
    } else {
        const uint32_t objectTag = tag == kBigObjectTag ? ReadUInt32()
                                                        : ((uint32_t{tag} & kClassTag) << 16) |
                                                              (uint32_t{tag} & ~kClassTag);
        if (objectTag & kBigClassTag) {
            const uint32_t index = objectTag & ~kBigClassTag;
            const auto found = m_loadClasses.find(index);
            if (found == m_loadClasses.end()) {
                m_pos = start;
                Fail("it refers at byte " + std::to_string(start) + " to class number " +
                     std::to_string(index) + ", which it never defined");
            }
            name = found->second;
        } else if (objectTag == kNullTag) {
            m_pos = start;
            Fail("it holds an empty object at byte " + std::to_string(start) + " where a " +
                 std::string(expected) + " belongs");
        } else {
            m_pos = start;
            Fail("it repeats object number " + std::to_string(objectTag) + " at byte " +
                 std::to_string(start) + " where a new " + std::string(expected) + " belongs");
        }
    }
    if (name != expected) {
        m_pos = start;
        Fail("it holds a " + name + " at byte " + std::to_string(start) + " where a " +
             std::string(expected) + " belongs");
    }
}

} // namespace orvane
