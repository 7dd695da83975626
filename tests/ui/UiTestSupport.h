#pragma once
// Start directories and a recording host for the window tests.
#include "base/Sjis.h"
#include "base/TextFile.h"
#include "base/Host.h"
#include "support/TestSupport.h"
#include "ui/TForm1.h"

#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace uitest {

/// The window tests keep whatever the program stores for the user (the output view's
/// place, through QSettings) in Qt's test location, never in the user's own settings.
inline const bool kUserSettingsIsolated = [] {
    QStandardPaths::setTestModeEnabled(true);
    return true;
}();

/// The tests' recording host, at the 768-pixel screen the window tests are designed for.
struct RecordingHost : quillet::test::RecordingHost {
    explicit RecordingHost(int screenHeight = 768) : quillet::test::RecordingHost(screenHeight) {}
};

/// A temporary start directory holding the bundled data files and, when given, an
/// exchange file from the fixtures.
class StartDir {
public:
    explicit StartDir(const QString &exchangeFixture = QStringLiteral("annotation.jwc_temp.txt"))
    {
        const QDir data(QStringLiteral(QUILLET_FIXTURES_DIR "/../../data/start"));
        for (const QString &name : data.entryList(QDir::Files))
            QFile::copy(data.filePath(name), m_dir.filePath(name));
        if (!exchangeFixture.isEmpty())
            QFile::copy(QStringLiteral(QUILLET_FIXTURES_DIR "/exchange/") + exchangeFixture,
                        m_dir.filePath("jwc_temp.txt"));
    }

    std::filesystem::path path() const { return m_dir.path().toStdString(); }
    std::filesystem::path file(const char *name) const { return path() / name; }
    quillet::Lines read(const char *name) const { return quillet::readLines(file(name)); }
    std::string bytes(const char *name) const { return quillet::readBytes(file(name)); }
    void write(const char *name, const quillet::Lines &lines) const { quillet::writeLines(file(name), lines); }
    void remove(const char *name) const { std::filesystem::remove(file(name)); }

private:
    QTemporaryDir m_dir;
};

/// Shift-JIS of a UTF-8 literal.
inline std::string sj(const char *utf8)
{
    return quillet::sjis::fromUtf8(utf8);
}

} // namespace uitest
