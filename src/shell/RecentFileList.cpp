#include "shell/RecentFileList.h"

#include <QDir>
#include <QFileInfo>
#include <QSettings>

namespace orvane {

namespace {
constexpr const char* kSection = "Recent File List";

QString Canonical(const QString& path) {
    return QDir::cleanPath(QFileInfo(path).absoluteFilePath());
}
} // namespace

CRecentFileList::CRecentFileList(QSettings& settings, int size)
    : m_settings(settings), m_size(size) {
    ReadList();
}

void CRecentFileList::Add(const QString& path) {
    const QString entry = Canonical(path);
    m_entries.removeAll(entry);
    m_entries.prepend(entry);
    while (m_entries.size() > m_size)
        m_entries.removeLast();
    WriteList();
}

void CRecentFileList::Remove(const QString& path) {
    m_entries.removeAll(Canonical(path));
    WriteList();
}

QString CRecentFileList::MenuText(int i) const {
    QString path = QDir::toNativeSeparators(m_entries.value(i));
    // '&' in a file name would otherwise turn into a mnemonic.
    path.replace(QLatin1Char('&'), QStringLiteral("&&"));
    return QStringLiteral("&%1 %2").arg(i + 1).arg(path);
}

void CRecentFileList::ReadList() {
    m_entries.clear();
    m_settings.beginGroup(QString::fromUtf8(kSection));
    for (int i = 1; i <= m_size; ++i) {
        const QString path = m_settings.value(QStringLiteral("File%1").arg(i)).toString();
        if (!path.isEmpty() && !m_entries.contains(path))
            m_entries.append(path);
    }
    m_settings.endGroup();
}

void CRecentFileList::WriteList() const {
    m_settings.beginGroup(QString::fromUtf8(kSection));
    m_settings.remove(QString());
    for (int i = 0; i < m_entries.size(); ++i)
        m_settings.setValue(QStringLiteral("File%1").arg(i + 1), m_entries[i]);
    m_settings.endGroup();
    m_settings.sync();
}

} // namespace orvane
