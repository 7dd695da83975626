// The panels laid over the main window and the pop-up menu of the phrase-book grid.
#include "ui/TForm1.h"

#include "ui/ColorBox.h"
#include "ui/FontDialog.h"
#include "ui/FormBuilder.h"
#include "ui/Hints.h"
#include "ui/RadioGroup.h"
#include "ui/WindowScale.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QStyle>
#include <QTableWidget>

using namespace quillet;
using namespace quillet::ui;
using build::label;
using build::list;
using build::place;

namespace {

QSpinBox *spin(QWidget *parent, const char *name, QRect geometry, int low, int high, int value)
{
    auto *box = place<QSpinBox>(parent, name, geometry);
    box->setRange(low, high);
    box->setValue(value);
    return box;
}

QStringList digits()
{
    QStringList items;
    for (int i = 0; i <= 9; ++i)
        items << QString::number(i);
    return items;
}

QStringList colourItems(const QString &first)
{
    QStringList items{first};
    for (int i = 1; i <= 8; ++i)
        items << QString::number(i);
    return items;
}

} // namespace

void TForm1::createBlockView()
{
    Panel1 = build::panel(this, "Panel1", {0, 48, 462, 104}, QColor(192, 192, 192));
    Label12 = label(Panel1, "Label12", {20, 5, 300, 14}, "登録文字帳　選択ブロックの内容");
    Label13 = label(Panel1, "Label13", {4, 26, 14, 72}, "１\n２\n３\n４\n５");
    Memo2 = place<QPlainTextEdit>(Panel1, "Memo2", QRect{20, 24, 437, 72});
    Memo2->setLineWrapMode(QPlainTextEdit::NoWrap);
    // Five lines in the designed 72 pixels, as in the input box it lies over.
    Memo2->document()->setDocumentMargin(1);
    Memo2->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    QPalette sky = Memo2->palette();
    sky.setColor(QPalette::Base, QColor(166, 202, 240));
    Memo2->setPalette(sky);
    Panel1->hide();
}

void TForm1::createDeleteWarning()
{
    Panel2 = build::panel(this, "Panel2", {380, 415, 188, 86}, QColor(212, 208, 200));
    Label14 = label(Panel2, "Label14", {2, 2, 184, 18}, "　　警告");
    Label14->setStyleSheet(QStringLiteral("color: white; background: navy;"));
    // The warning sign comes with the panel's first showing (showDeleteWarning):
    // looking it up in the icon theme costs more than the rest of the panel.
    Image1 = label(Panel2, "Image1", {8, 24, 32, 32}, {});
    Label15 = label(Panel2, "Label15", {46, 32, 136, 14}, "文字帳から削除します");
    BitBtn7 = place<QPushButton>(Panel2, "BitBtn7", QRect{24, 58, 66, 22}, QStringLiteral("はい"));
    BitBtn8 = place<QPushButton>(Panel2, "BitBtn8", QRect{98, 58, 66, 22}, QStringLiteral("いいえ"));
    Panel2->hide();
}

void TForm1::showDeleteWarning()
{
    ensureHiddenParts();
    if (Image1->pixmap().isNull())
        Image1->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxWarning).pixmap(32, 32));
    Panel2->show();
    Panel2->raise();
}

void TForm1::createMemoWindow()
{
    Panel4 = build::panel(this, "Panel4", {368, 40, 200, 291}, Qt::white);
    Label19 = label(Panel4, "Label19", {6, 4, 188, 16}, "簡単選択のメモ登録");
    StringGrid1 = place<QTableWidget>(Panel4, "StringGrid1", QRect{4, 22, 192, 184}, 10, 1);
    StringGrid1->horizontalHeader()->hide();
    StringGrid1->verticalHeader()->hide();
    StringGrid1->horizontalHeader()->setStretchLastSection(true);
    StringGrid1->verticalHeader()->setMinimumSectionSize(1);
    StringGrid1->verticalHeader()->setDefaultSectionSize(18);
    StringGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    StringGrid1->setEditTriggers(QAbstractItemView::AllEditTriggers);
    CheckBox1 = place<QCheckBox>(Panel4, "CheckBox1", QRect{6, 210, 188, 18}, QStringLiteral("メモを表示する"));
    CheckBox6 = place<QCheckBox>(Panel4, "CheckBox6", QRect{6, 229, 188, 30},
                                 QStringLiteral("マウスカーソル移動で\nイメージを表示する"));
    Button1 = place<QPushButton>(Panel4, "Button1", QRect{46, 262, 108, 24}, QStringLiteral("保存 && 閉じる"));
    Panel4->hide();
}

void TForm1::createBasicPanel()
{
    Panel5 = build::panel(this, "Panel5", {0, 38, 570, 295}, QColor(192, 220, 192));
    QLabel *title = label(Panel5, "Label20", {8, 4, 120, 18}, "基 本 設 定 ");
    title->setStyleSheet(QStringLiteral("color: blue; font-weight: bold;"));

    CheckBox5 = place<QCheckBox>(Panel5, "CheckBox5", QRect{8, 28, 150, 18}, QStringLiteral("枠と文字間なし"));
    CheckBox5->setChecked(true);
    label(Panel5, "Label21", {8, 52, 90, 14}, "枠と文字間補正");
    label(Panel5, "Label22", {104, 52, 80, 14}, "(-0.9～9.9)");
    label(Panel5, "Label23", {8, 71, 30, 14}, "上 下");
    SpinEdit3 = spin(Panel5, "SpinEdit3", {38, 68, 50, 22}, -9, 99, 0);
    label(Panel5, "Label24", {96, 71, 30, 14}, "左 右");
    SpinEdit4 = spin(Panel5, "SpinEdit4", {126, 68, 50, 22}, -9, 99, 0);
    label(Panel5, "Label25", {8, 101, 56, 14}, "矢印長さ");
    SpinEdit5 = spin(Panel5, "SpinEdit5", {64, 98, 50, 22}, 1, 60, 20);
    label(Panel5, "Label26", {118, 101, 30, 14}, "x0.1");
    label(Panel5, "Label27", {8, 127, 56, 14}, "矢印角度");
    ComboBox9 =
        list(Panel5, "ComboBox9", {64, 124, 60, 22}, {"8", "10", "12", "15", "20", "25", "30", "35", "40", "45"});
    ComboBox9->setCurrentIndex(-1);
    label(Panel5, "Label28", {8, 153, 66, 14}, "文字行間隔");
    SpinEdit6 = spin(Panel5, "SpinEdit6", {74, 150, 50, 22}, -9, 99, 0);
    label(Panel5, "Label29", {128, 153, 64, 14}, "(-0.9～9.9)");
    label(Panel5, "Label30", {8, 183, 40, 14}, "点半径");
    label(Panel5, "Label31", {50, 183, 18, 14}, "x1");
    ComboBox1 = list(Panel5, "ComboBox1", {68, 180, 44, 22}, digits());
    label(Panel5, "Label32", {116, 183, 28, 14}, "x0.1");
    ComboBox3 = list(Panel5, "ComboBox3", {144, 180, 44, 22}, digits());
    for (QComboBox *radius : {ComboBox1, ComboBox3}) {
        radius->setEditable(true);
        radius->setInsertPolicy(QComboBox::NoInsert);
        radius->setCurrentIndex(1);
    }
    label(Panel5, "Label33", {8, 211, 104, 14}, "枠内着色と枠間隔");
    SpinEdit2 = spin(Panel5, "SpinEdit2", {112, 208, 50, 22}, 0, 10, 0);
    label(Panel5, "Label34", {8, 234, 190, 14}, "カーソル移動の文字帳選択");
    RadioGroup1 = place<RadioGroup>(Panel5, "RadioGroup1", QRect{6, 249, 192, 42}, QStringLiteral("検知範囲"),
                                    QStringList{"無し", "狭い", "標準", "広い"}, 4);
    RadioGroup1->setItemIndex(2);

    createBasicPanelColours(Panel5);

    label(Panel5, "Label35", {380, 28, 100, 14}, "基本設定切替");
    ListBox1 = place<QListWidget>(Panel5, "ListBox1", QRect{380, 44, 150, 118});
    label(Panel5, "Label36", {380, 164, 180, 28}, "選択した設定名称を\n変更する時入力");
    Edit7 = place<QLineEdit>(Panel5, "Edit7", QRect{380, 194, 150, 22});
    Edit7->setMaxLength(24);
    BitBtn1 = place<QPushButton>(Panel5, "BitBtn1", QRect{380, 222, 110, 26}, QStringLiteral("基本設定登録"));
    BitBtn6 = place<QPushButton>(Panel5, "BitBtn6", QRect{486, 262, 76, 26}, QStringLiteral("閉じる"));
    Panel5->hide();
}

void TForm1::createBasicPanelColours(QWidget *panel)
{
    struct Row {
        const char *label, *name, *text;
        QComboBox **combo;
        QStringList items;
        int y;
    };
    const Row rows[] = {
        {"Label37", "ComboBox10", "引出線色", &ComboBox10, colourItems(QStringLiteral("JWW書込")), 28},
        {"Label38", "ComboBox11", "矢印色", &ComboBox11, colourItems(QStringLiteral("引出線色")), 52},
        {"Label39", "ComboBox12", "点　色", &ComboBox12, colourItems(QStringLiteral("引出線色")), 76},
        {"Label40", "ComboBox13", "延長線色", &ComboBox13, colourItems(QStringLiteral("引出線色")), 100},
        {"Label41", "ComboBox14", "文字枠色", &ComboBox14, colourItems(QStringLiteral("引出線色")), 124},
        {"Label42", "ComboBox15", "書込グループ", &ComboBox15, build::hexItems(QStringLiteral("JWW書込")), 156},
        {"Label43", "ComboBox16", "線点書込ﾚｲﾔ", &ComboBox16, build::hexItems(QStringLiteral("JWW書込")), 180},
        {"Label44", "ComboBox17", "文字書込ﾚｲﾔ", &ComboBox17, build::hexItems(QStringLiteral("JWW書込")), 204},
    };
    for (const Row &row : rows) {
        label(panel, row.label, {204, row.y + 3, 76, 14}, row.text);
        *row.combo = list(panel, row.name, {280, row.y, 88, 22}, row.items);
        (*row.combo)->setCurrentIndex(0);
    }
    label(panel, "Label45", {204, 234, 100, 14}, "ウィンドウ色");
    ColorBox1 = place<ColorBox>(panel, "ColorBox1", QRect{204, 250, 164, 22});
    ColorBox1->setChoice(quillet::BasicSettings{}.windowColour);
}

void TForm1::createPopupMenu()
{
    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    auto named = [](QAction *action, const QString &name) {
        action->setObjectName(name);
        return action;
    };
    MENW1 = named(PopupMenu1->addAction(QStringLiteral("入力完了  ")), "MENW1");
    named(PopupMenu1->addSeparator(), "N1");
    MENW2 = named(PopupMenu1->addAction(QStringLiteral("注釈文字クリア ")), "MENW2");
    named(PopupMenu1->addSeparator(), "N3");
    auto radioMenu = [this, &named](const QString &title, const QString &name, const QStringList &items,
                                    const QString &itemPrefix, QAction **actions) {
        QMenu *menu = PopupMenu1->addMenu(title);
        auto *group = new QActionGroup(menu);
        for (int i = 0; i < items.size(); ++i) {
            actions[i] = named(menu->addAction(items[i]), itemPrefix + QString::number(i));
            actions[i]->setCheckable(true);
            group->addAction(actions[i]);
        }
        return named(menu->menuAction(), name);
    };
    QStringList colours{QStringLiteral("Jww    (J)")};
    for (int i = 1; i <= 8; ++i)
        colours << QStringLiteral("線色 %1　").arg(i);
    MENW3 = radioMenu(QStringLiteral("引出し線色  "), "MENW3", colours, "SUBMEN", SUBMEN.data());
    named(PopupMenu1->addSeparator(), "N2");
    DOTA = radioMenu(QStringLiteral("点半径 x1   "), "DOTA", digits(), "DOTA", DOTAn.data());
    DOTB = radioMenu(QStringLiteral("点半径 x0.1 "), "DOTB", digits(), "DOTB", DOTBn.data());
}

void TForm1::ensureHiddenParts()
{
    if (m_hiddenPartsBuilt)
        return;
    m_hiddenPartsBuilt = true;
    createBlockView();
    createDeleteWarning();
    createMemoWindow();
    createBasicPanel();
    createPopupMenu();
    // Made after the window was scaled, they are scaled on their own, exactly as
    // scaling the window would have.
    if (const WindowSizeRow *row = startupEnded() ? nullptr : windowSizeRow(m_session.windowSizeRow)) {
        for (QWidget *panel : hiddenPanels())
            scaleControl(panel, row->n);
    }
    m_controlsByName.clear();
    wireHiddenParts();
    for (QWidget *panel : hiddenPanels())
        quillet::ui::assignHints(panel);
    if (m_startupStateShown) {
        applyCaptionsForMode();
        showModel();
    }
}

void TForm1::buildDeferredParts()
{
    ensureHiddenParts();
    // The font dialog's buttons bring the icon theme in: it is built once the window
    // is on the screen, or when the font-name field is clicked before that.
    if (!FontDialog1) {
        FontDialog1 = new FontDialog(this);
        FontDialog1->setObjectName(QStringLiteral("FontDialog1"));
    }
}
