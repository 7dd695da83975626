#pragma once
#include "base/TextFile.h"
#include "base/Host.h"
#include "model/PhraseBookPlace.h"

#include <filesystem>
#include <optional>
#include <string>

namespace quillet {

/// The phrase book on disk: the open folder, its page index and the open page.
/// Folder strings keep the stored form: "" for the start directory itself, else
/// '\' and the folder name.
class PhraseBook {
public:
    static constexpr int kPageLines = 180;
    static constexpr int kPages = 20;
    static constexpr int kBlocks = 36;
    static constexpr int kBlockLines = 5;

    PhraseBook();

    void setStartDir(const std::filesystem::path &startDir) { m_startDir = startDir; }
    const std::filesystem::path &startDir() const { return m_startDir; }

    /// The open folder and page as the settings store them.
    PhraseBookPlace &place() { return m_place; }
    const PhraseBookPlace &place() const { return m_place; }
    const std::string &folder() const { return m_place.folder; }
    void setFolder(const std::string &folder) { m_place.folder = folder; }
    /// Current page number as stored ("1".."20").
    const std::string &page() const { return m_place.page; }
    void setPage(const std::string &page) { m_place.page = page; }
    int pageNumber() const;

    Lines &pageIndex() { return m_pageIndex; }
    const Lines &pageIndex() const { return m_pageIndex; }
    Lines &openPage() { return m_openPage; }
    const Lines &openPage() const { return m_openPage; }
    /// True when the open page holds a page's 180 lines that may be written back.
    bool pageValid() const { return m_pageValid; }
    bool modified() const { return m_modified; }
    void setModified(bool modified) { m_modified = modified; }

    std::filesystem::path folderPath() const;
    /// The folder exists and lies under the start directory.
    bool folderUsable() const;
    std::filesystem::path pageFile(int page) const;
    std::filesystem::path indexFile() const;

    /// Reads PJDATA.tx of the current folder; a missing file gives "　目次データなし".
    /// Shows the index I/O message and keeps the list on a read failure.
    void loadPageIndex(Host &host);
    /// Writes the page index list as PJDATA.tx; shows the index I/O message on failure.
    void savePageIndex(Host &host);

    enum class OpenResult { Loaded, BadLineCount, Created, Declined };
    /// Opens the current folder and page at start-up or after a folder switch; falls
    /// back to the start directory and page 1 when the folder has vanished.
    OpenResult openFolder(Host &host);

    /// Page switch to page `page` (1..20).
    OpenResult switchPage(Host &host, int page);

    /// Writes the open page to the current page's file. Throws InOutError.
    void writeOpenPage();

    /// True when the user may put blocks on the open page by editing it in place: it
    /// holds the page's content, or the page has no file yet.
    bool acceptsEdits() const;

    /// Before the first block goes onto a page whose file is missing: the open page
    /// starts empty, its index row loses "(ページなし)", and it is written from now on.
    void startMissingPage();

    /// Exit write-back: page index, then the open page (when it is a page's content).
    /// Throws InOutError when the page cannot be written.
    void exitWriteBack(Host &host);

    /// "文字帳切替": saves the index of the folder being left; with a chosen folder opens
    /// it at page 1; then reloads the index and marks the pages that have no file.
    void switchFolder(Host &host, const std::optional<std::filesystem::path> &chosen);

    /// The stored folder string for a folder chosen in the dialog: "" for the start
    /// directory, '\' and the relative path below it; nothing for a folder outside it.
    static std::optional<std::string> folderStringFor(const std::filesystem::path &startDir,
                                                      const std::filesystem::path &chosen);

    /// Status-bar text naming the pattern and the folder.
    std::string statusText(const std::string &patternName) const;

    /// "    (ページなし)", the page-index text of a missing page file.
    static const std::string &noPageText();

private:
    OpenResult readPage(Host &host, bool questionWithFullPath, bool infoBoxForBadCount);

    std::filesystem::path m_startDir;
    PhraseBookPlace m_place;
    Lines m_pageIndex;
    Lines m_openPage;
    bool m_pageValid = false;
    bool m_modified = false;
};

} // namespace quillet
