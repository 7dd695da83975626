#include "ui/MemoCapacity.h"

#include "model/MemoCapacity.h"
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

Lines toLines(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char('\n'));
    Lines lines;
    for (int i = 0; i < lineCount(text); ++i)
        lines.push_back(toSjis(parts[i]));
    return lines;
}

QString fitToCapacity(const QString &text)
{
    const Lines lines = toLines(text);
    QStringList fitted;
    for (const std::string &line : applyMemoCapacity(lines))
        fitted << fromSjis(line);
    QString result = fitted.join(QLatin1Char('\n'));
    if (text.endsWith(QLatin1Char('\n')) && int(lines.size()) <= kMemoMaxLines)
        result += QLatin1Char('\n');
    return result;
}

} // namespace quillet::ui::memo
