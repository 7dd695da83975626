// The help document as shipped: every control with a hint is described with that
// hint, every message the program shows is explained, and every link and picture
// reference resolves inside the document or beside it.
#include "base/Messages.h"
#include "base/Sjis.h"
#include "ui/Hints.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QRegularExpression>
#include <QSet>
#include <QTest>

namespace {

const QString kHelpDir = QStringLiteral(QUILLET_FIXTURES_DIR "/../../doc/help");

// The document's text with the entities it uses decoded, so hints compare as shown.
QString decoded(QString html)
{
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html;
}

QStringList captures(const QString &text, const QString &pattern)
{
    QStringList found;
    QRegularExpressionMatchIterator it = QRegularExpression(pattern).globalMatch(text);
    while (it.hasNext())
        found << it.next().captured(1);
    return found;
}

} // namespace

class HelpDocumentTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void everyHintedControlIsDescribed();
    void everyMessageIsExplained();
    void everyReferenceResolves();

private:
    QString m_html;
    QSet<QString> m_ids;
};

void HelpDocumentTest::initTestCase()
{
    QFile file(kHelpDir + QStringLiteral("/quillet.html"));
    QVERIFY2(file.open(QIODevice::ReadOnly), qPrintable(file.fileName()));
    m_html = QString::fromUtf8(file.readAll());
    const QStringList ids = captures(m_html, QStringLiteral("\\bid=\"([^\"]+)\""));
    m_ids = QSet<QString>(ids.begin(), ids.end());
    QCOMPARE(m_ids.size(), ids.size()); // no id twice
}

void HelpDocumentTest::everyHintedControlIsDescribed()
{
    const QString text = decoded(m_html);
    for (const auto &[name, hint] : quillet::ui::hintTable()) {
        QVERIFY2(m_ids.contains(name), qPrintable(name));
        QVERIFY2(text.contains(hint), qPrintable(name + QStringLiteral(": ") + hint));
    }
}

void HelpDocumentTest::everyMessageIsExplained()
{
    using namespace quillet::msg;
    const std::string messages[] = {
        exchangeMissing(), exchangeInvalid(), exchangeTransformed(), exchangeAbnormal(), settingsMissing(),
        settingsInvalid(), patternsInvalid(), patternsMissing(),     screenTooSmall(),   startupRange(),
        inOut(),           folderMissing(),   indexInOut(),          memoInvalid(),      memoCreated(),
        memoMissing(),     helpMissing(),     helpNotOpened(),
    };
    // The document shows a message's line breaks as <br>.
    const QString text = decoded(m_html).replace(QStringLiteral("<br>"), QStringLiteral("\n"));
    for (const std::string &message : messages) {
        QString shown = QString::fromStdString(quillet::sjis::toUtf8(message));
        shown.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
        QVERIFY2(text.contains(shown), qPrintable(shown));
    }
}

void HelpDocumentTest::everyReferenceResolves()
{
    const QStringList references = captures(m_html, QStringLiteral("\\b(?:href|src)=\"([^\"]*)\""));
    QVERIFY(references.size() > 30);
    const QDir dir(kHelpDir);
    for (const QString &reference : references) {
        if (reference.startsWith(QLatin1Char('#'))) {
            QVERIFY2(m_ids.contains(reference.mid(1)), qPrintable(reference));
            continue;
        }
        // Only files beside the document: it is installed flat with its picture folder.
        QVERIFY2(!reference.contains(QLatin1Char(':')) && !reference.startsWith(QLatin1Char('/')) &&
                     !reference.contains(QStringLiteral("..")),
                 qPrintable(reference));
        const QString path = dir.filePath(reference);
        QVERIFY2(QFile::exists(path), qPrintable(reference));
        if (reference.endsWith(QStringLiteral(".png")))
            QVERIFY2(!QImage(path).isNull(), qPrintable(reference));
    }
}

QTEST_MAIN(HelpDocumentTest)
#include "HelpDocumentTest.moc"
