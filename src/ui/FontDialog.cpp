#include "ui/FontDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSignalBlocker>
#include <QVBoxLayout>

namespace quillet::ui {

namespace {

const QChar kVertical = QLatin1Char('@');

} // namespace

FontDialog::FontDialog(QWidget *parent) : QDialog(parent)
{
    setWindowTitle(QStringLiteral("フォント"));
    m_list = new QListWidget(this);
    m_list->setObjectName(QStringLiteral("FontList"));
    m_vertical = new QCheckBox(QStringLiteral("縦書き用（@ 付きのフォント名）"), this);
    m_vertical->setObjectName(QStringLiteral("VerticalFont"));
    m_sample = new QLabel(QStringLiteral("注釈 あア亜 AaBb 123"), this);
    m_sample->setMinimumHeight(40);
    m_sample->setFrameShape(QFrame::StyledPanel);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("日本語を表示できるフォント"), this));
    layout->addWidget(m_list, 1);
    layout->addWidget(m_vertical);
    layout->addWidget(m_sample);
    layout->addWidget(buttons);
    resize(320, 400);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(m_list, &QListWidget::currentTextChanged, this, &FontDialog::showSample);
    connect(m_list, &QListWidget::itemDoubleClicked, this, &QDialog::accept);
}

void FontDialog::listFamilies() const
{
    if (m_familiesListed)
        return;
    m_familiesListed = true;
    const QSignalBlocker blocker(m_list);
    for (const QString &family : QFontDatabase::families(QFontDatabase::Japanese)) {
        if (!QFontDatabase::isPrivateFamily(family) && !family.startsWith(kVertical))
            m_list->addItem(family);
    }
}

void FontDialog::showEvent(QShowEvent *event)
{
    listFamilies();
    QDialog::showEvent(event);
}

void FontDialog::setFontName(const QString &name)
{
    m_fontName = name;
    selectName(name);
    showSample();
}

QString FontDialog::selectedName() const
{
    listFamilies();
    const QListWidgetItem *item = m_list->currentItem();
    if (!item)
        return m_fontName;
    return m_vertical->isChecked() ? kVertical + item->text() : item->text();
}

bool FontDialog::selectName(const QString &name)
{
    listFamilies();
    const bool vertical = name.startsWith(kVertical);
    const QString family = vertical ? name.mid(1) : name;
    const QList<QListWidgetItem *> found = m_list->findItems(family, Qt::MatchFixedString);
    if (found.isEmpty()) {
        m_list->setCurrentItem(nullptr);
        return false;
    }
    m_vertical->setChecked(vertical);
    m_list->setCurrentItem(found.first());
    m_list->scrollToItem(found.first());
    return true;
}

QStringList FontDialog::families() const
{
    listFamilies();
    QStringList names;
    for (int row = 0; row < m_list->count(); ++row)
        names << m_list->item(row)->text();
    return names;
}

void FontDialog::done(int result)
{
    if (result == QDialog::Accepted)
        m_fontName = selectedName();
    QDialog::done(result);
}

void FontDialog::showSample()
{
    QString family = selectedName();
    if (family.startsWith(kVertical))
        family.remove(0, 1);
    QFont font(family);
    font.setPixelSize(20);
    m_sample->setFont(font);
}

} // namespace quillet::ui
