#include "editor/ComponentClipboard.h"

#include "model/NDLGenerator.h"
#include "model/OrvaneDoc.h"
#include "model/TypeOrder.h"

#include <QMimeData>
#include <QString>

#include <algorithm>
#include <string>

namespace orvane {

std::unique_ptr<QMimeData> ComponentsMimeData(const COrvaneDoc& source,
                                              const std::vector<CWidget*>& widgets) {
    COrvaneDoc copies;
    copies.OnNewDocument();
    ForEachWidget(source, [&](CWidget& widget, int) {
        if (std::find(widgets.begin(), widgets.end(), &widget) != widgets.end())
            copies.AddCopy(widget);
    });
    const std::string bytes = copies.StoreBytes();

    // The definitions without the system line: they are to go into a network that has one.
    CNDLGenerator generator(copies);
    generator.Generate();
    std::string text = generator.GetText();
    const std::string system = copies.GetSettings().SystemDefinition();
    if (text.starts_with(system))
        text.erase(0, system.size());

    auto data = std::make_unique<QMimeData>();
    data->setData(QString::fromUtf8(ComponentsMimeType),
                  QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    data->setText(QString::fromStdString(text));
    return data;
}

std::unique_ptr<COrvaneDoc> ComponentsFromMimeData(const QMimeData& data) {
    const QString format = QString::fromUtf8(ComponentsMimeType);
    if (!data.hasFormat(format))
        return nullptr;
    const QByteArray bytes = data.data(format);
    std::string error;
    return COrvaneDoc::LoadBytes(std::string_view(bytes.constData(), bytes.size()), error);
}

} // namespace orvane
