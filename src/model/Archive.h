#pragma once

#include "model/Object.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace orvane {

// The tag that opens an optional trailer of a network file: its four letters as the file holds
// them, so that TrailerTag("COST") stores as the bytes "COST".
constexpr uint32_t TrailerTag(const char (&name)[5]) {
    return static_cast<uint32_t>(static_cast<uint8_t>(name[0])) |
           static_cast<uint32_t>(static_cast<uint8_t>(name[1])) << 8 |
           static_cast<uint32_t>(static_cast<uint8_t>(name[2])) << 16 |
           static_cast<uint32_t>(static_cast<uint8_t>(name[3])) << 24;
}

// Raised while loading a damaged or foreign file. what() is a short reason such as
// "it ends early (byte 1234 of 1200)", ready to follow "could not be read: ".
class CArchiveError : public std::runtime_error {
public:
    CArchiveError(const std::string& reason, size_t offset)
        : std::runtime_error(reason), m_offset(offset) {}
    size_t Offset() const { return m_offset; }

private:
    size_t m_offset;
};

// The binary stream of a network file: little-endian integers, IEEE doubles, length-prefixed
// strings, counts and object records with one index table for the whole stream, shared by
// classes and objects. Stores into a byte string or loads from one.
class CArchive {
public:
    // A storing archive.
    CArchive();
    // A loading archive over its own copy of the bytes.
    explicit CArchive(std::string_view bytes);
    CArchive(const CArchive&) = delete;
    CArchive& operator=(const CArchive&) = delete;

    bool IsStoring() const { return m_storing; }
    bool IsLoading() const { return !m_storing; }

    // The bytes stored so far.
    const std::string& Bytes() const { return m_out; }
    // Loading: the offset of the next byte to read, and the number of bytes not yet read.
    size_t Position() const { return m_pos; }
    size_t Remaining() const { return m_in.size() - m_pos; }

    void WriteUInt8(uint8_t v);
    void WriteUInt16(uint16_t v);
    void WriteUInt32(uint32_t v);
    void WriteInt32(int32_t v) { WriteUInt32(static_cast<uint32_t>(v)); }
    void WriteDouble(double v);
    void WriteString(std::string_view s);
    void WriteCount(uint32_t count);
    // A null tag, a back-reference to an object already in this stream, or the class record
    // (full the first time, its index tag after) followed by the object's own fields.
    void WriteObject(CObject* object);

    uint8_t ReadUInt8();
    uint16_t ReadUInt16();
    uint32_t ReadUInt32();
    // Reads a trailer's tag when the next four bytes are tag and at least bodyBytes follow them;
    // otherwise reads nothing and returns false.
    bool ReadTag(uint32_t tag, size_t bodyBytes = 0);
    int32_t ReadInt32() { return static_cast<int32_t>(ReadUInt32()); }
    double ReadDouble();
    std::string ReadString();
    // A count of items each taking at least minItemBytes; a count the remaining bytes cannot
    // hold fails here, before anyone allocates for it.
    uint32_t ReadCount(size_t minItemBytes = 1);

    // Reads one object record that must be a new object of class T.
    template <class T> std::unique_ptr<T> ReadObject() {
        ReadClassTag(T::kClassName);
        auto object = std::make_unique<T>();
        ++m_loadIndexCount;
        object->Serialize(*this);
        return object;
    }

    CArchive& operator<<(uint32_t v) {
        WriteUInt32(v);
        return *this;
    }
    CArchive& operator<<(int32_t v) {
        WriteInt32(v);
        return *this;
    }
    CArchive& operator<<(double v) {
        WriteDouble(v);
        return *this;
    }
    CArchive& operator<<(const std::string& s) {
        WriteString(s);
        return *this;
    }
    CArchive& operator>>(uint32_t& v) {
        v = ReadUInt32();
        return *this;
    }
    CArchive& operator>>(int32_t& v) {
        v = ReadInt32();
        return *this;
    }
    CArchive& operator>>(double& v) {
        v = ReadDouble();
        return *this;
    }
    CArchive& operator>>(std::string& s) {
        s = ReadString();
        return *this;
    }

private:
    // Reads the class part of an object record and checks that it names `expected`.
    void ReadClassTag(const char* expected);
    void Need(size_t n, const char* what) const;
    [[noreturn]] void Fail(const std::string& reason) const;

    bool m_storing;
    std::string m_out;
    std::string m_in;
    size_t m_pos = 0;

    // Storing: index of every class and object written; the next index is m_storeIndexCount.
    std::unordered_map<std::string, uint32_t> m_storeClasses;
    std::unordered_map<const CObject*, uint32_t> m_storeObjects;
    uint32_t m_storeIndexCount = 1;

    // Loading: class names by index; objects only take their index, since back-references are
    // refused.
    std::unordered_map<uint32_t, std::string> m_loadClasses;
    uint32_t m_loadIndexCount = 1;
};

// True for the ten class names a network file may carry.
bool IsKnownClassName(std::string_view name);

} // namespace orvane
