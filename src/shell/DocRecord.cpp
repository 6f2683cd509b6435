#include "shell/DocRecord.h"

#include <QDir>
#include <QFileInfo>

namespace orvane {

CDocRecord::CDocRecord(std::unique_ptr<COrvaneDoc> doc, const QString& title, const QString& path)
    : m_doc(std::move(doc)), m_title(title) {
    if (!path.isEmpty())
        SetPath(path);
}

void CDocRecord::SetPath(const QString& path) {
    m_path = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    m_title = TitleFromPath(m_path);
}

QString CDocRecord::DisplayName() const {
    return m_path.isEmpty() ? m_title : QDir::toNativeSeparators(m_path);
}

QString CDocRecord::TitleFromPath(const QString& path) {
    const QFileInfo info(path);
    return info.suffix().compare(QStringLiteral("vlm"), Qt::CaseInsensitive) == 0
               ? info.completeBaseName()
               : info.fileName();
}

} // namespace orvane
