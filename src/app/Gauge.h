#pragma once

#include <QColor>
#include <QProgressBar>

// The progress gauge: the style's groove, filled in blue from the left as far as the progress goes, and
// the percentage in its middle (white over the blue). The chunk is drawn here, not by the style: themed
// styles draw their own chunk and ignore the palette (Windows' own green on Windows, blue under Wine).
class TGauge : public QProgressBar
{
    Q_OBJECT
public:
    static inline const QColor COR = QColor(0, 102, 204);

    explicit TGauge(QWidget* pParent = nullptr);

    // The part of the widget the chunk fills at the current progress (empty at the minimum).
    QRect RetanguloPreenchido() const;

protected:
    void paintEvent(QPaintEvent* pEvento) override;

private:
    QRect Interior() const;
};
