// TTabRulerParent / TTabRuler: the strip above the tablature with the time grid of
// the cursor track, its alternate-time regions and the playback loop.
#pragma once

#include <QWidget>

namespace fretlo {

class TTabView;

class TTabRuler : public QWidget {
    Q_OBJECT
public:
    explicit TTabRuler(TTabView* view, QWidget* parent);

    // Tick length for a space starting `fromBarStart` units after its bar's start.
    static int TickLength(int32_t fromBarStart);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void PaintRegions(QPainter& p, const QRect& clip);
    void PaintLoop(QPainter& p);
    void PaintTicks(QPainter& p, const QRect& clip);

    TTabView* view_;
};

// The 19-pixel-high, button-face coloured holder of the ruler.
class TTabRulerParent : public QWidget {
    Q_OBJECT
public:
    static constexpr int RulerHeight = 19;
    explicit TTabRulerParent(TTabView* view, QWidget* parent);
    TTabRuler* Ruler() const { return ruler_; }

protected:
    void resizeEvent(QResizeEvent* e) override;

private:
    TTabRuler* ruler_;
};

}  // namespace fretlo
