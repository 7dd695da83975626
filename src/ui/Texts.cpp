#include "ui/Texts.h"

#include "base/Sjis.h"

namespace quillet::ui {

QString fromSjis(const std::string &sjis)
{
    QString text = QString::fromStdString(sjis::toUtf8(sjis));
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    return text;
}

std::string toSjis(const QString &text)
{
    return sjis::fromUtf8(text.toStdString());
}

} // namespace quillet::ui
