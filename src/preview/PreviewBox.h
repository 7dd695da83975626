#pragma once
#include "preview/PreviewInputs.h"

#include <QWidget>

#include <functional>
#include <optional>

namespace quillet::preview {

/// A paint box on the preview panel. It asks its source for the inputs each time it
/// paints, so a repaint always shows the choices of that moment; a source with
/// nothing to show leaves the panel bare.
class PreviewBox : public QWidget {
    Q_OBJECT
public:
    using Source = std::function<std::optional<PreviewInputs>()>;

    explicit PreviewBox(QWidget *parent = nullptr);
    void setSource(Source source) { m_source = std::move(source); }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Source m_source;
};

} // namespace quillet::preview
