#include "model/NetworkCheck.h"

#include "model/CheckTexts.h"
#include "model/NDLGenerator.h"
#include "model/TypeOrder.h"

namespace orvane {

CheckReport DebugNetwork(COrvaneDoc& doc, const std::string& title) {
    CNDLGenerator generator(doc);
    CheckReport report;
    report.passed = generator.CheckConnections();
    report.message = report.passed ? std::string(CheckPassedMessage) : CheckFailedMessage(title);
    report.icon = CheckReport::Icon::Information;
    report.lines = generator.GetFindingLines();
    report.widgets = generator.GetNotConnected();
    return report;
}

std::string NdlWindowText(COrvaneDoc& doc) {
    CNDLGenerator generator(doc);
    if (!generator.CheckConnections())
        return GeneratorErrorText();
    generator.Generate();
    return generator.GetText();
}

std::string NotConnectedLine(const CWidget& widget) {
    const char* type = TypeName(widget.Type());
    const CPoint p1 = widget.GetPoint1();
    if (widget.IsOnePoint())
        return NotConnectedLine(type, p1.x, p1.y);
    const CPoint p2 = widget.GetPoint2();
    return NotConnectedLine(type, p1.x, p1.y, p2.x, p2.y);
}

} // namespace orvane
