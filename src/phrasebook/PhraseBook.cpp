#include "phrasebook/PhraseBook.h"

#include "base/Errors.h"
#include "base/Number.h"
#include "base/Platform.h"
#include "base/Sjis.h"
#include "base/Messages.h"

namespace quillet {

namespace fs = std::filesystem;

PhraseBook::PhraseBook() : m_pageIndex(std::size_t(kPages)) {}

const std::string &PhraseBook::noPageText()
{
    static const std::string text = sjis::fromUtf8("    (ページなし)");
    return text;
}

int PhraseBook::pageNumber() const
{
    const int page = parseInt(m_place.page);
    if (page < 1 || page > kPages)
        throw RangeError("Grid index out of range");
    return page;
}

fs::path PhraseBook::folderPath() const
{
    // The stored folder begins with '\'; it names a folder under the start directory.
    std::string relative = m_place.folder;
    while (!relative.empty() && (relative.front() == '\\' || relative.front() == '/'))
        relative.erase(0, 1);
    return relative.empty() ? m_startDir : m_startDir / platform::pathFromSjis(relative);
}

bool PhraseBook::folderUsable() const
{
    // Folders are chosen under the start directory; a stored folder that climbs out of
    // it (an edited settings file) is treated as gone rather than followed.
    for (const fs::path &part : platform::pathFromSjis(m_place.folder)) {
        if (part == "..")
            return false;
    }
    return directoryExists(folderPath());
}

fs::path PhraseBook::pageFile(int page) const { return folderPath() / ("PMDATA" + std::to_string(page) + ".tx"); }

fs::path PhraseBook::indexFile() const { return folderPath() / "PJDATA.tx"; }

void PhraseBook::loadPageIndex(Host &host)
{
    if (!folderUsable()) {
        host.warning(msg::indexInOut());
        return;
    }
    if (!fileExists(indexFile())) {
        m_pageIndex.assign(std::size_t(kPages), std::string());
        m_pageIndex[0] = sjis::fromUtf8("　目次データなし");
        return;
    }
    try {
        Lines lines = readLines(indexFile());
        lines.resize(std::size_t(kPages));
        m_pageIndex = std::move(lines);
    } catch (const InOutError &) {
        host.warning(msg::indexInOut());
    }
}

void PhraseBook::savePageIndex(Host &host)
{
    m_pageIndex.resize(std::size_t(kPages));
    try {
        writeLines(indexFile(), m_pageIndex);
    } catch (const InOutError &) {
        host.warning(msg::indexInOut());
    }
}

PhraseBook::OpenResult PhraseBook::readPage(Host &host, bool questionWithFullPath, bool infoBoxForBadCount)
{
    const int page = pageNumber();
    const fs::path file = pageFile(page);
    m_pageValid = false;
    m_modified = false;
    // Whatever happens below, the lines of the page left behind must not stay in
    // memory under this page's number, where a registration would write them.
    m_openPage.assign(std::size_t(kPageLines), std::string());
    if (fileExists(file)) {
        Lines lines = readLines(file);
        if (lines.size() == std::size_t(kPageLines)) {
            m_openPage = std::move(lines);
            m_pageValid = true;
            return OpenResult::Loaded;
        }
        // The grid shows nothing and the file stays as it is on disk until the user
        // registers or deletes a block on this page.
        if (infoBoxForBadCount)
            host.notice(msg::pageInvalid(m_place.page));
        else
            host.warning(msg::pageInvalid(m_place.page));
        return OpenResult::BadLineCount;
    }
    const std::string name = questionWithFullPath ? platform::sjisFromPath(file)
                                                  : "PMDATA" + std::to_string(page) + ".tx";
    if (!host.question(msg::pageCreateQuestion(name)))
        return OpenResult::Declined;
    writeOpenPage();
    return OpenResult::Created;
}

PhraseBook::OpenResult PhraseBook::openFolder(Host &host)
{
    if (!folderUsable()) {
        host.warning(msg::folderMissing());
        m_place.folder.clear();
        m_place.page = "1";
        // The index shown must be the one of the folder that is now open: keeping the
        // vanished folder's (empty) list would write it over the start directory's index.
        loadPageIndex(host);
    }
    if (!m_place.folder.empty())
        removeStaleTemporaries(folderPath()); // the start directory's are gone already
    const OpenResult result = readPage(host, false, false);
    if (result == OpenResult::Created)
        m_pageIndex[std::size_t(pageNumber() - 1)].clear();
    return result;
}

PhraseBook::OpenResult PhraseBook::switchPage(Host &host, int page)
{
    if (std::to_string(page) == m_place.page)
        return OpenResult::Loaded;
    if (m_modified && m_pageValid) {
        writeOpenPage();
    }
    m_place.page = std::to_string(page);
    return readPage(host, true, true);
}

void PhraseBook::writeOpenPage()
{
    writeLines(pageFile(pageNumber()), m_openPage);
    m_pageValid = true;
    m_modified = false;
}

bool PhraseBook::acceptsEdits() const
{
    return m_pageValid || !fileExists(pageFile(pageNumber()));
}

void PhraseBook::startMissingPage()
{
    const int page = pageNumber();
    if (fileExists(pageFile(page)))
        return;
    m_openPage.assign(std::size_t(kPageLines), std::string());
    m_pageIndex[std::size_t(page - 1)].clear();
    m_pageValid = true;
}

void PhraseBook::exitWriteBack(Host &host)
{
    savePageIndex(host);
    if (m_pageValid)
        writeOpenPage();
}

void PhraseBook::switchFolder(Host &host, const std::optional<fs::path> &chosen)
{
    savePageIndex(host);
    // A folder outside the start directory could not be stored relative to it.
    const std::optional<std::string> folder = chosen ? folderStringFor(m_startDir, *chosen) : std::nullopt;
    if (folder) {
        m_place.folder = *folder;
        m_place.page = "1";
        openFolder(host);
    }
    loadPageIndex(host);
    for (int n = 1; n <= kPages; ++n) {
        if (!fileExists(pageFile(n)))
            m_pageIndex[std::size_t(n - 1)] = noPageText();
    }
}

std::optional<std::string> PhraseBook::folderStringFor(const fs::path &startDir, const fs::path &chosen)
{
    std::error_code error;
    const fs::path start = fs::weakly_canonical(startDir, error);
    const fs::path target = fs::weakly_canonical(chosen, error);
    if (error)
        return std::nullopt;
    // Compared part by part: "/a/bc" is not under "/a/b".
    auto s = start.begin(), t = target.begin();
    for (; s != start.end() && !s->empty(); ++s, ++t) {
        if (t == target.end() || *s != *t)
            return std::nullopt;
    }
    fs::path relative;
    for (; t != target.end(); ++t) {
        if (!t->empty())
            relative /= *t;
    }
    return relative.empty() ? std::string() : "\\" + platform::sjisFromPath(relative);
}

std::string PhraseBook::statusText(const std::string &patternName) const
{
    std::string name;
    if (m_place.folder.empty()) {
        const std::string start = platform::sjisFromPath(m_startDir);
        const std::size_t slash = start.find_last_of('\\');
        name = slash == std::string::npos ? start : start.substr(slash + 1);
    } else {
        name = m_place.folder.substr(m_place.folder[0] == '\\' ? 1 : 0, 60);
    }
    return "[ " + patternName + sjis::fromUtf8(" ]　文字帳フォルダ = ") + name;
}

} // namespace quillet
