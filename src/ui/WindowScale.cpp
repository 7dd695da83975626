#include "ui/WindowScale.h"

#include <QLayout>
#include <QWidget>

namespace quillet::ui {

int scaled(int length, int n)
{
    const long long product = static_cast<long long>(length) * n;
    return static_cast<int>(product >= 0 ? (product + 512) / 1024 : -((-product + 512) / 1024));
}

QRect scaled(const QRect &rect, int n)
{
    return {scaled(rect.x(), n), scaled(rect.y(), n), scaled(rect.width(), n), scaled(rect.height(), n)};
}

namespace {

void scaleFont(QWidget *widget, int n)
{
    QFont font = widget->font();
    if (font.pixelSize() > 0) {
        font.setPixelSize(scaled(font.pixelSize(), n));
        widget->setFont(font);
    }
}

bool placedByLayout(const QWidget *widget)
{
    const QWidget *parent = widget->parentWidget();
    return parent && parent->layout() && parent->layout()->indexOf(widget) >= 0;
}

// Only plain containers (the window and its panels) hold controls placed by hand;
// inside any other control the parts belong to that control.
bool isContainer(const QWidget *widget)
{
    const char *type = widget->metaObject()->className();
    return qstrcmp(type, "QWidget") == 0 || qstrcmp(type, "QFrame") == 0;
}

void scaleChild(QWidget *child, int n);

void scaleChildren(QWidget *container, int n)
{
    for (QWidget *child : container->findChildren<QWidget *>(Qt::FindDirectChildrenOnly)) {
        if (!child->isWindow())
            scaleChild(child, n);
    }
}

void scaleChild(QWidget *child, int n)
{
    // A font set in code is a designed size; the others come from the window, which
    // is scaled already.
    if (child->testAttribute(Qt::WA_SetFont))
        scaleFont(child, n);
    if (!placedByLayout(child))
        child->setGeometry(scaled(child->geometry(), n));
    if (isContainer(child))
        scaleChildren(child, n);
}

} // namespace

void scaleWindowSize(QWidget *window, int n)
{
    window->setFixedSize(scaled(window->width(), n), scaled(window->height(), n));
}

void scaleWindowFont(QWidget *window, int n)
{
    scaleFont(window, n);
}

void scaleControls(QWidget *window, int n)
{
    scaleChildren(window, n);
}

void scaleControl(QWidget *control, int n)
{
    scaleChild(control, n);
}


} // namespace quillet::ui
