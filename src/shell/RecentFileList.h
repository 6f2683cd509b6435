#pragma once

#include <QString>
#include <QStringList>

class QSettings;

namespace orvane {

// The most recently opened or saved network files, most recent first, kept in the settings
// under "Recent File List" as File1, File2, ...
class CRecentFileList {
public:
    explicit CRecentFileList(QSettings& settings, int size = 6);

    // Puts path first, removing an older entry of the same file and the oldest beyond the size.
    void Add(const QString& path);
    void Remove(const QString& path);
    const QStringList& Entries() const { return m_entries; }
    int Size() const { return m_size; }

    // The menu text of entry i (0-based): "&1 name".
    QString MenuText(int i) const;

    void ReadList();
    void WriteList() const;

private:
    QSettings& m_settings;
    int m_size;
    QStringList m_entries;
};

} // namespace orvane
