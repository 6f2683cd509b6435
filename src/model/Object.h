#pragma once

namespace orvane {

class CArchive;

// Root of everything stored as an object record in a network file: the record carries the class
// name, and loading builds an empty object of that class and lets it read its fields.
class CObject {
public:
    virtual ~CObject() = default;
    virtual const char* ClassName() const = 0;
    virtual void Serialize(CArchive& ar) = 0;

protected:
    CObject() = default;
    CObject(const CObject&) = default;
    CObject& operator=(const CObject&) = default;
};

} // namespace orvane
