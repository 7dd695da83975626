#include "ui/MemoCapacity.h"

#include "base/Sjis.h"
#include "ui/Texts.h"

#include <QStringList>

namespace quillet::ui::memo {

int lineCount(const QString &text)
{
    if (text.isEmpty())
        return 0;
    const int parts = int(text.count(QLatin1Char('\n'))) + 1;
    return text.endsWith(QLatin1Char('\n')) ? parts - 1 : parts;
}

QString fitToCapacity(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    if (lineCount(text) > kMaxLines)
        lines = lines.mid(0, kMaxLines);
    for (int i = 0; i < lines.size() && i < kMaxLines; ++i) {
        const std::string bytes = toSjis(lines[i]);
        if (int(bytes.size()) > kMaxLineBytes)
            lines[i] = fromSjis(sjis::cutToBytes(bytes, kMaxLineBytes));
    }
    return lines.join(QLatin1Char('\n'));
}

} // namespace quillet::ui::memo
