#pragma once
#include <QDialog>

class QCheckBox;
class QLabel;
class QListWidget;

namespace quillet::ui {

/// The font choice behind the font-name field: the installed fonts that can show
/// Japanese, by family name. Like the system's font dialog it keeps a font of its
/// own: the one it was given, replaced by the selection only when the user confirms.
/// A name starting with "@" is the vertical-writing form of a family.
class FontDialog : public QDialog {
    Q_OBJECT
public:
    explicit FontDialog(QWidget *parent = nullptr);

    /// The dialog's font name: the last one confirmed, or the one it was given.
    QString fontName() const { return m_fontName; }
    /// Gives the dialog its font and shows it selected.
    void setFontName(const QString &name);

    /// The name the selection makes now (what a confirmation would take).
    QString selectedName() const;
    /// Selects a family as a click on the list would; false when it is not listed.
    bool selectName(const QString &name);

    QStringList families() const;

    void done(int result) override;

protected:
    void showEvent(QShowEvent *event) override;

private:
    /// Fills the list of families on first need: the font database is scanned for
    /// the dialog, not for the window that only may open it.
    void listFamilies() const;
    void showSample();

    QListWidget *m_list;
    QCheckBox *m_vertical;
    QLabel *m_sample;
    QString m_fontName;
    mutable bool m_familiesListed = false;
};

} // namespace quillet::ui
