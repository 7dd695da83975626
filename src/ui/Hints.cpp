#include "ui/Hints.h"

#include "ui/FormBuilder.h"

#include <QWidget>

#include <utility>

namespace quillet::ui {

namespace {

// One explanation per setting control, shown in the status bar by the brief help.
// Two controls in one row of the designer's table share the text.
const std::pair<const char *, const char16_t *> kHints[] = {
    {"ComboBoxEx1", u"引出し点の記号の形状を選択、Jwwで指示点１、２が近い時は引出し記号と引出線を書かない"},
    {"Label1", u"引出し点の記号の形状を選択、Jwwで指示点１、２が近い時は引出し記号と引出線を書かない"},
    {"ComboBox2", u"引出線,延長線,文字枠に使用する線の種類。線種はJwwの設定に依存する"},
    {"ComboBoxEx2", u"注釈文字部分に付く枠の種類、延長線付きの枠は任意又は指定長さの延長線が付く"},
    {"Label3", u"注釈文字部分に付く枠の種類、延長線付きの枠は任意又は指定長さの延長線が付く"},
    {"ComboBoxEx3", u"引出線又は延長線が文字枠に接続する位置を指定する、下線枠と長丸枠の時は無効"},
    {"Label4", u"引出線又は延長線が文字枠に接続する位置を指定する、下線枠と長丸枠の時は無効"},
    {"ComboBox5", u"任意= Jwwの画面でクリックした長さ　指定= 設定値の長さ"},
    {"SpinEdit1", u"長さ指定を選択した時の延長線の長さ"},
    {"Label5", u"延長線の長さを選択　　任意= Jwwの画面でクリックした長さ　指定= 設定値の長さ"},
    {"ComboBox6", u"書き込む文字のサイズ。文字のサイズはJwwの設定に依存する　（JWW書込 > Jwwの現在の書込み文字種）"},
    {"ComboBoxEx4", u"文字枠が下線か下線延長線の時行単位で文字をずらす。最大○行の指定は、１行以上を下線の上に残す"},
    {"Label8", u"文字枠が下線か下線延長線の時行単位で文字をずらす。最大○行の指定は、１行以上を下線の上に残す"},
    {"ComboBox8", u"登録文字帳の選択ブロック内容を注釈文字入力ボックスへのコピー方法の切り替え"},
    {"SpeedButton4", u"基本設定のウィンドウを表示する"},
    {"SpeedButton3", u"基本設定以外の設定を保存する"},
    {"SpinEdit3", u"注釈文字の上下と文字枠の間隔を調整 ( 縮尺1/1の時で0.1mm単位 )"},
    {"SpinEdit4", u"注釈文字の左右と文字枠の間隔を調整 ( 縮尺1/1の時で0.1mm単位 )"},
    {"SpinEdit5", u"先端記号の矢印と三角の長さ調整 (縮尺1/1の時で1mm単位 )"},
    {"ComboBox9", u"先端記号の矢印と三角の角度切り替え"},
    {"SpinEdit6", u"注釈文字の行間隔の調整 ( 縮尺1/1の時で0.1mm単位 )"},
    {"ComboBox10", u"引出線(斜線)の書込み色指定。　１～８の色はJwwの設定色"},
    {"ComboBox11", u"先端記号 矢印、三角の書込み色  ( 引出線色 > 引出線の色に合わせる )"},
    {"ComboBox12", u"先端記号 実点の書込み色　( 引出線色 > 引出線の色に合わせる )"},
    {"ComboBox13", u"延長線付文字枠の延長線の書込み色　( 引出線色 > 引出線の色に合わせる )"},
    {"ComboBox14", u"文字枠の書込み色。　( 引出線色 > 引出線の色に合わせる )　下線延長線の時は延長線色になる"},
    {"ComboBox15", u"注釈を書き込むJwwのグループ番号　( JWW書込 > 現在のJWW書込グループ )"},
    {"ComboBox16", u"線と点を書き込むJwwのレイヤ番号　( JWW書込 > 現在のJWW書込レイヤ )"},
    {"ComboBox17", u"文字を書き込むJwwのレイヤ番号　( JWW書込 > 現在のJWW書込レイヤ )"},
    {"ListBox1", u"基本設定パターンの切替え,６種類のパターン登録が出来る"},
    {"Edit7", u"選択されている基本設定切り替えパターン名称を変更する時に新規名称を入力して[基本設定登録]する"},
    {"BitBtn1", u"基本設定を選択されている基本設定切り替えパターンに登録する"},
    {"BitBtn4", u"注釈文字入力ボックスをクリヤ"},
    {"BitBtn2", u"Jwwに注釈を書込む。文字取り込みの時は取り込み終了"},
    {"SpeedButton8", u"注釈文字入力ボックスの文字を文字帳の選択されているブロックに登録する"},
    {"SpeedButton9", u"文字帳の選択されているブロックを削除する　左クリックで確認あり　右クリックで確認なし"},
    {"Memo1", u"Jwwに書き込む注釈文字を入力、文字帳に登録できる、クリップボードが使用可能、半角７０文字×５行"},
    {"MLStringGrid1",
     u"ダブルクリックで注釈文字入力にコピー、マウスホイールクリックごとに全行表示との切替、ホイールで選択ブロック移動"},
    {"SpeedButton7", u"文字帳が保存されているフォルダを切り替える、各フォルダに２～２０ページの登録が出来る"},
    {"StatusBar1", u"「文字帳切替」で選択した文字帳のフォルダ名表示、または項目説明の表示。"},
    {"SpeedButton2", u"注釈文字入力ボックスに埋込文字行があれば埋込文字として書き出す"},
    {"SpeedButton1", u"起動時に注釈文字入力ボックスの文字をひらがな入力モードにする ( IMEをON )"},
    {"ColorBox1", u"クイレットのウィンドウ色を変更する、基本設定パターンごとに登録出来る"},
    {"Panel3", u"JWWに書き出す引き出し線と枠の設定をイメージで表示する"},
    {"Edit2", u"フォント切替するフォント名を表示、クリックにてフォント選択ウィンドウを表示"},
    {"BitBtn5", u"クリックごとに注釈文字のフォントを、JWWの文字フォントと選択フォントで切り替え"},
    {"StringGrid2", u"登録文字帳のページ目次を表示、クリックで編集出来る。クリック、ホイールでページ切替"},
    {"SpeedButton10", u"文字枠内を着色、文字枠と着色部分の間隔は基本設定「枠内着色と枠間隔」にて調整"},
    {"ColorBox2", u"文字枠内を着色する色の選択、カスタムにて任意色を作成できる"},
    {"SpinEdit2", u"「枠内着色」の時文字枠と着色部分の間隔を設定する"},
    {"SpeedButton11", u"注釈の斜め書き、注釈を指示点２と３の傾斜で書き出す"},
    {"SpeedButton18",
     u"保存ボタンがダウンの時１～１０のボタンは設定を保存、アップの時は保存した設定に切替。右クリックでメニュー表示"},
    {"ComboBox1", u"先端記号実点、空点の半径指定( 縮尺1/1の時で1mm単位 )"},
    {"ComboBox3", u"先端記号実点、空点の半径指定( 縮尺1/1の時で0.1mm単位 )"},
    {"RadioGroup1", u"登録文字帳の左右端付近にてマウスカーソルによるブロック（セル）の選択と検知範囲の選択"},
    {"CheckBox2", u"文字モードの時指示点１を文字の左右中心にする"},
    {"CheckBox3", u"選択されている簡単選択で次回起動する。終了時のチェック状態を記憶する"},
    {"CheckBox4", u"「長さ記憶」で保存した引出し線の長さにする。終了時のチェック状態を記憶する"},
    {"Button2", u"起動時の指示点１－２の長さを記憶する。記憶した長さは「引出線長固定」で反映する"},
    {"CheckBox5", u"枠と文字間のスペースを無くす。枠は文字サイズと同じになる"},
};

} // namespace

void assignHints(QWidget *window)
{
    const QHash<QString, QWidget *> byName = build::widgetsByName(window);
    for (const auto &[name, hint] : kHints) {
        if (QWidget *control = byName.value(QString::fromLatin1(name)))
            control->setStatusTip(QString::fromUtf16(hint));
    }
}

QList<QPair<QString, QString>> hintTable()
{
    QList<QPair<QString, QString>> table;
    for (const auto &[name, hint] : kHints)
        table.append({QString::fromLatin1(name), QString::fromUtf16(hint)});
    return table;
}

} // namespace quillet::ui
