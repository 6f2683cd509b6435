#pragma once

#include <memory>
#include <vector>

class QMimeData;

namespace orvane {

class COrvaneDoc;
class CWidget;

// The private clipboard format of components: a network file holding copies of them.
inline constexpr const char* ComponentsMimeType = "application/x-orvane-components";

// The clipboard's form of some components of a drawing: copies of them, in the drawing's
// creation order, as a network file under ComponentsMimeType, and as plain text their NDL
// definitions, with the nodes numbered among them alone.
std::unique_ptr<QMimeData> ComponentsMimeData(const COrvaneDoc& source,
                                              const std::vector<CWidget*>& widgets);

// The components held by clipboard data, as a drawing of their own; nullptr when it holds none
// in the private format, or bytes that do not load.
std::unique_ptr<COrvaneDoc> ComponentsFromMimeData(const QMimeData& data);

} // namespace orvane
