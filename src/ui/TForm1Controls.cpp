// The controls of the main window's own surface, at their designed places.
#include "ui/TForm1.h"

#include "preview/PreviewBox.h"
#include "ui/ColorBox.h"
#include "ui/FormBuilder.h"
#include "ui/Icons.h"
#include "widgets/TMLStringGrid.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QTextDocument>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QTimer>
#include <QToolButton>

using namespace quillet::ui;
using build::label;
using build::list;
using build::place;
using build::speedButton;

namespace {

// Cells draw their text from 2 pixels in, like the designer's grids, without the
// style's wider margins that would cut "20" in the narrow page-number column.
class GridCellDelegate : public QStyledItemDelegate {
public:
    using QStyledItemDelegate::QStyledItemDelegate;
    void paint(QPainter *painter, const QStyleOptionViewItem &option, const QModelIndex &index) const override
    {
        QStyleOptionViewItem background = option;
        initStyleOption(&background, index);
        background.text.clear();
        option.widget->style()->drawControl(QStyle::CE_ItemViewItem, &background, painter, option.widget);
        const bool selected = option.state & QStyle::State_Selected;
        painter->setPen(option.palette.color(selected ? QPalette::HighlightedText : QPalette::Text));
        painter->drawText(option.rect.adjusted(2, 0, 0, 0), Qt::AlignLeft | Qt::AlignVCenter, index.data().toString());
    }
};

const QStringList kTipSymbols = {"引出なし", "記号なし", "実点", "空点", "矢印１", "矢印２", "矢印３", "矢印４"};
const QStringList kLineTypes = {"実線", "点線1", "点線2", "点線3", "1点鎖1", "1点鎖2", "2点鎖1", "2点鎖2"};
const QStringList kFrameKinds = {"枠無",     "下線",     "四角",     "長丸",       "括弧",
                                 "枠無延長", "下線延長", "四角延長", "長丸延長",   "括弧延長",
                                 "吹出四角", "雲　等片", "雲　異片", "曲線引出１", "曲線引出２"};
const QStringList kAttachPositions = {"最上行上", "最上行中央", "全体中央", "最下行中央", "最下行下"};
const QStringList kSlides = {"なし", "１行", "２行", "３行", "最大１行", "最大２行", "最大３行"};
const QStringList kCopyMethods = {"ｶｰｿﾙ行に上書", "ｶｰｿﾙ行に挿入", "ｶｰｿﾙ行に追加", "全行入替え"};

QStringList textKinds()
{
    QStringList items{QStringLiteral("JWW書込文字")};
    for (int k = 1; k <= 10; ++k)
        items << QString::number(k);
    return items;
}

// Silver lines whatever colour the window takes (the style draws them in the window
// colour otherwise).
void silverLines(QTableWidget *table)
{
    QPalette palette = table->palette();
    palette.setColor(QPalette::Window, QColor(192, 192, 192));
    table->setPalette(palette);
}

// A string grid: no headers, no scroll bars, grid lines on, cells drawn from 2 pixels
// in and never shortened with an ellipsis. The rows and columns come last: headers
// still showing would measure the text of every new section.
QTableWidget *grid(QWidget *parent, const char *name, QRect geometry, int columns, int rows, QSize cell)
{
    auto *table = place<QTableWidget>(parent, name, geometry);
    table->horizontalHeader()->hide();
    table->verticalHeader()->hide();
    table->verticalHeader()->setMinimumSectionSize(1);
    table->horizontalHeader()->setMinimumSectionSize(1);
    table->horizontalHeader()->setDefaultSectionSize(cell.width());
    table->verticalHeader()->setDefaultSectionSize(cell.height());
    table->setItemDelegate(new GridCellDelegate(table));
    silverLines(table);
    table->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    table->setShowGrid(true);
    table->setSelectionMode(QAbstractItemView::SingleSelection);
    table->setColumnCount(columns);
    table->setRowCount(rows);
    return table;
}

} // namespace

void TForm1::createWindow()
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("　クイレット　V1.7a"));
    setFixedSize(731, 576);
}

void TForm1::createControls()
{
    createTopRow();
    createAnnotationInput();
    createChoosers();
    createPhraseBookArea();
    createPresetCorner();
    StatusBar1 = place<QStatusBar>(this, "StatusBar1", {0, 557, 731, 19});
    StatusBar1->setSizeGripEnabled(false);
    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setSingleShot(true);
    Timer1->setInterval(700);
}

void TForm1::createTopRow()
{
    SpeedButton4 = speedButton(this, "SpeedButton4", {4, 4, 66, 28}, "基本設定", false);
    SpeedButton3 = speedButton(this, "SpeedButton3", {72, 4, 66, 28}, "設定登録", false);
    SpeedButton5 = speedButton(this, "SpeedButton5", {368, 184, 62, 21}, "簡易説明", true);
    SpeedButton6 = speedButton(this, "SpeedButton6", {432, 184, 50, 21}, "ヘルプ", false);
    SpeedButton1 = speedButton(this, "SpeedButton1", {142, 4, 108, 28}, "日本語ひら", true);
    BitBtn2 = place<QPushButton>(this, "BitBtn2", QRect{572, 4, 155, 32}, QStringLiteral("入力完了"));
    QFont bold = BitBtn2->font();
    bold.setBold(true);
    bold.setPixelSize(14);
    BitBtn2->setFont(bold);
}

void TForm1::createAnnotationInput()
{
    Label9 = label(this, "Label9", {17, 39, 80, 14}, "注釈文字");
    Memo1 = place<QPlainTextEdit>(this, "Memo1", QRect{17, 53, 437, 72});
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);
    Memo1->setTabChangesFocus(false);
    Memo1->setFont(build::gothicFont(12));
    // Five lines of the 12-pixel Gothic fill the designed 72 pixels only with a thin margin.
    Memo1->document()->setDocumentMargin(1);
    SpeedButton2 = speedButton(this, "SpeedButton2", {458, 38, 110, 22}, "埋込文字使用", true);
    SpeedButton10 = speedButton(this, "SpeedButton10", {458, 62, 110, 22}, "枠内着色", true);
    ColorBox2 = place<ColorBox>(this, "ColorBox2", QRect{468, 87, 38, 22});
    SpeedButton11 = speedButton(this, "SpeedButton11", {510, 87, 58, 38}, "枠傾斜", true);
    BitBtn5 = place<QPushButton>(this, "BitBtn5", QRect{256, 7, 66, 22}, QStringLiteral("ﾌｫﾝﾄ切替"));
    Edit2 = place<QLineEdit>(this, "Edit2", QRect{324, 7, 161, 22});
    Edit2->setReadOnly(true);
    BitBtn4 = place<QPushButton>(this, "BitBtn4", QRect{490, 7, 54, 22}, QStringLiteral("クリア"));
    Panel6 = build::panel(this, "Panel6", {572, 218, 150, 22}, QColor(255, 251, 240));
    Label11 = label(Panel6, "Label11", {4, 4, 60, 14}, "文字モード");
    CheckBox2 = place<QCheckBox>(Panel6, "CheckBox2", QRect{64, 2, 76, 18}, QStringLiteral("文字中基点"));
    Panel6->hide();
}

void TForm1::createChoosers()
{
    Label1 = label(this, "Label1", {4, 133, 50, 14}, "先端記号");
    ComboBoxEx1 = list(this, "ComboBoxEx1", {54, 130, 104, 22}, {});
    ComboBoxEx1->setIconSize(icons::kTipSize);
    for (int i = 0; i < kTipSymbols.size(); ++i)
        ComboBoxEx1->addItem(icons::tipSymbol(i), kTipSymbols[i]);
    Label2 = label(this, "Label2", {162, 133, 26, 14}, "線種");
    ComboBox2 = list(this, "ComboBox2", {188, 130, 72, 22}, kLineTypes);
    Label3 = label(this, "Label3", {264, 133, 38, 14}, "文字枠");
    ComboBoxEx2 = list(this, "ComboBoxEx2", {302, 130, 112, 22}, {});
    ComboBoxEx2->setIconSize(icons::kFrameSize);
    for (int i = 0; i < kFrameKinds.size(); ++i)
        ComboBoxEx2->addItem(icons::frameKind(i), kFrameKinds[i]);
    Label6 = label(this, "Label6", {418, 133, 38, 14}, "文字種");
    ComboBox6 = list(this, "ComboBox6", {456, 130, 112, 22}, textKinds());

    Label4 = label(this, "Label4", {4, 159, 74, 14}, "アタッチ位置");
    ComboBoxEx3 = list(this, "ComboBoxEx3", {78, 156, 96, 22}, kAttachPositions);
    Label8 = label(this, "Label8", {180, 159, 74, 14}, "文字スライド");
    ComboBoxEx4 = list(this, "ComboBoxEx4", {254, 156, 80, 22}, kSlides);
    Label5 = label(this, "Label5", {338, 159, 66, 14}, "延長線長さ");
    ComboBox5 = list(this, "ComboBox5", {406, 156, 56, 22}, {"任意", "指定"});
    SpinEdit1 = place<QSpinBox>(this, "SpinEdit1", QRect{464, 156, 50, 22});
    SpinEdit1->setRange(0, 99);
}

void TForm1::createPhraseBookArea()
{
    Label7 = label(this, "Label7", {4, 187, 62, 14}, "文字帳から");
    ComboBox8 = list(this, "ComboBox8", {66, 184, 112, 21}, kCopyMethods);
    SpeedButton8 = speedButton(this, "SpeedButton8", {182, 184, 48, 21}, "登録", false);
    SpeedButton9 = speedButton(this, "SpeedButton9", {232, 184, 48, 21}, "削除", false);
    SpeedButton7 = speedButton(this, "SpeedButton7", {284, 184, 80, 21}, "文字帳切替", false);

    MLStringGrid1 = place<quillet::widgets::TMLStringGrid>(this, "MLStringGrid1", QRect{2, 216, 566, 341}, 2, 18);
    MLStringGrid1->horizontalHeader()->setDefaultSectionSize(280);
    MLStringGrid1->verticalHeader()->setDefaultSectionSize(15);
    MLStringGrid1->setRowHeight(0, 5 * 15);
    silverLines(MLStringGrid1);
    Label18 = label(this, "Label18", {594, 242, 100, 14}, "ページ目次");
    StringGrid3 = grid(this, "StringGrid3", {572, 257, 20, 300}, 1, 20, {18, 14});
    StringGrid3->setEditTriggers(QAbstractItemView::NoEditTriggers);
    StringGrid3->setFocusPolicy(Qt::NoFocus);
    QPalette cream = StringGrid3->palette();
    cream.setColor(QPalette::Base, QColor(255, 251, 240));
    StringGrid3->setPalette(cream);
    StringGrid2 = grid(this, "StringGrid2", {592, 257, 131, 300}, 1, 20, {127, 14});
    StringGrid2->setFont(build::gothicFont(12));
}

void TForm1::createPresetCorner()
{
    Panel3 = build::panel(this, "Panel3", {597, 40, 105, 62}, QColor(255, 251, 240));
    PaintBox1 = place<quillet::preview::PreviewBox>(Panel3, "PaintBox1", QRect{0, 0, 105, 62});
    PaintBox2 = place<quillet::preview::PreviewBox>(Panel3, "PaintBox2", QRect{0, 0, 105, 62});
    PaintBox2->hide();

    Label10 = label(this, "Label10", {572, 105, 60, 14}, "簡単選択");
    Label16 = label(this, "Label16", {634, 104, 46, 16}, "保存完了");
    Label16->setStyleSheet(QStringLiteral("background: yellow;"));
    Label17 = label(this, "Label17", {682, 104, 46, 16}, "保存なし");
    Label17->setStyleSheet(QStringLiteral("color: red;"));
    Label16->hide();
    Label17->hide();
    const char *names[10] = {"SpeedButton13", "SpeedButton14", "SpeedButton15", "SpeedButton16", "SpeedButton17",
                             "SpeedButton19", "SpeedButton20", "SpeedButton21", "SpeedButton22", "SpeedButton23"};
    for (int i = 0; i < 10; ++i) {
        const QRect place{572 + 31 * (i % 5), 121 + 23 * (i / 5), 30, 22};
        m_presetButtons[std::size_t(i)] = speedButton(this, names[i], place, QString::number(i + 1), true);
    }
    SpeedButton13 = m_presetButtons[0], SpeedButton14 = m_presetButtons[1], SpeedButton15 = m_presetButtons[2];
    SpeedButton16 = m_presetButtons[3], SpeedButton17 = m_presetButtons[4], SpeedButton19 = m_presetButtons[5];
    SpeedButton20 = m_presetButtons[6], SpeedButton21 = m_presetButtons[7], SpeedButton22 = m_presetButtons[8];
    SpeedButton23 = m_presetButtons[9];
    SpeedButton18 = speedButton(this, "SpeedButton18", {572, 169, 44, 22}, "保存", true);
    CheckBox3 = place<QCheckBox>(this, "CheckBox3", QRect{620, 171, 46, 18}, QStringLiteral("連続"));
    CheckBox4 = place<QCheckBox>(this, "CheckBox4", QRect{572, 195, 156, 18}, QStringLiteral("引出線長固定"));
    Button2 = place<QPushButton>(this, "Button2", QRect{666, 169, 62, 22}, QStringLiteral("長さ記憶"));
}
