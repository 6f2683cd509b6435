#pragma once

#include "model/OrvaneDoc.h"

#include <QString>

#include <memory>

namespace orvane {

// An open network: the document and what the shell knows about it, its file and its title.
// Shared by the windows that show it; the last one to close lets it go.
class CDocRecord {
public:
    // A new network titled "VLM<n>", or one read from path.
    CDocRecord(std::unique_ptr<COrvaneDoc> doc, const QString& title, const QString& path = {});

    COrvaneDoc& Doc() const { return *m_doc; }
    const QString& Title() const { return m_title; }
    const QString& Path() const { return m_path; }
    // Sets the file and the title that follows from it (the file name without ".vlm").
    void SetPath(const QString& path);
    // The name the save question uses: the path when there is one, else the title.
    QString DisplayName() const;

    static QString TitleFromPath(const QString& path);

private:
    std::unique_ptr<COrvaneDoc> m_doc;
    QString m_title;
    QString m_path;
};

} // namespace orvane
