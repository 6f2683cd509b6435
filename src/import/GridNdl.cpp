#include "import/GridNdl.h"

#include "base/ShortestNumber.h"

namespace orvane {

namespace {

class Definition {
public:
    explicit Definition(const char* keyword) : text_(keyword) { text_ += ":"; }

    Definition& Text(const char* name, const std::string& value) {
        return Add(name, "\"" + value + "\"");
    }
    Definition& Nodes(int32_t a) { return Add("connect", std::to_string(a)); }
    Definition& Nodes(int32_t a, int32_t b) {
        return Add("connect", std::to_string(a) + ", " + std::to_string(b));
    }
    // Left out when not given.
    Definition& Value(const char* name, double x) {
        return x < 0.0 ? *this : Add(name, ShortestNumber(x));
    }
    Definition& Count(const char* name, int32_t n) {
        return n < 0 ? *this : Add(name, std::to_string(n));
    }
    std::string Line() const { return text_ + "\n"; }

private:
    Definition& Add(const char* name, const std::string& value) {
        text_ += (first_ ? " " : "; ") + std::string(name) + " = " + value;
        first_ = false;
        return *this;
    }

    std::string text_;
    bool first_ = true;
};

const char* Keyword(GridElement::Kind kind) {
    switch (kind) {
    case GridElement::Source:
        return "source";
    case GridElement::Line:
        return "line";
    case GridElement::Equipment:
        return "equipment";
    case GridElement::Breaker:
        return "breaker";
    case GridElement::Fuse:
        return "fuse";
    case GridElement::Isolator:
        return "isolator";
    case GridElement::Recloser:
        return "recloser";
    case GridElement::Load:
        break;
    }
    return "load";
}

// Text for a comment line: no line break, and no backslash that could continue the comment
// over the next definition.
std::string Comment(std::string text) {
    for (char& c : text) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F)
            c = ' ';
        else if (c == '\\')
            c = '/';
    }
    return text;
}

} // namespace

std::string GridNdl(const Grid& grid, const std::string& origin) {
    std::string text =
        "# " + Comment(grid.title + ", imported from " + origin + " by orvane-cli.") + "\n";
    for (const std::string& note : grid.notes)
        text += "# note: " + Comment(note) + "\n";
    const GridSystem& s = grid.system;
    text += "\nsystem: quantsPerDay = " + std::to_string(s.quantsPerDay) +
            "; yearMin = " + std::to_string(s.yearMin) +
            "; yearMax = " + std::to_string(s.yearMax) +
            "; yearStep = " + std::to_string(s.yearStep) +
            "; accuracy = " + ShortestNumber(s.accuracy) + "\n\n";
    for (const GridElement& e : grid.elements) {
        Definition d(Keyword(e.kind));
        d.Text("name", e.name);
        if (e.IsOnePoint())
            d.Nodes(e.a);
        else
            d.Nodes(e.a, e.b);
        d.Value("length", e.length)
            .Value("failure", e.failure)
            .Value("isolation", e.isolation)
            .Value("repair", e.repair)
            .Value("reclose", e.reclose)
            .Count("customers", e.customers)
            .Value("average", e.average);
        text += d.Line();
    }
    return text;
}

} // namespace orvane
