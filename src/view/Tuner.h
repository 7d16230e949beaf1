// TTuner: a small control that shows one MIDI key and lets the user step it. The face shows
// the note name in bold (flat names) with the octave mark, or the key number; an arrow zone at
// each end lowers (left) or raises (right) the key, repeating while the button is held. The
// arrow keys step it too (Left / Down lower, Up / Right raise).
#pragma once

#include <QString>
#include <QTimer>
#include <QWidget>
#include <functional>

namespace fretlo {

// What the face shows for a key: the bold name with the mark after it, or the number alone;
// both empty outside 0..127.
struct TTunerFace {
    QString Name;
    QString Mark;
};
TTunerFace TunerFace(int note, bool displayNumber);

class TTuner : public QWidget {
    Q_OBJECT
public:
    static constexpr int ArrowZone = 12;  // width of each arrow zone in pixels
    static constexpr int RepeatDelayMs = 400;
    static constexpr int RepeatIntervalMs = 100;

    explicit TTuner(QWidget* parent = nullptr);
    ~TTuner() override;

    int Note() const { return note_; }
    // -1 shows nothing; other keys are kept within 0..127.
    void SetNote(int note);
    bool DisplayNumber() const { return displayNumber_; }
    void SetDisplayNumber(bool on);

    // Asks the owner for the hint text; no hint when unset or empty.
    std::function<QString(const TTuner&)> OnHint;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

signals:
    // After every change of Note.
    void OnChange();

protected:
    bool event(QEvent* e) override;
    void paintEvent(QPaintEvent* e) override;
    void mousePressEvent(QMouseEvent* e) override;
    void mouseMoveEvent(QMouseEvent* e) override;
    void mouseReleaseEvent(QMouseEvent* e) override;
    void leaveEvent(QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;

private:
    enum TZone { zNone, zLower, zRaise };
    TZone ZoneAt(QPoint pos) const;
    void Step(TZone zone);
    void Repeat();
    // Lights one zone (or none); the tuner lit before goes dark, so one is lit at a time.
    void SetLit(TZone zone);

    int note_ = -1;
    bool displayNumber_ = false;
    TZone lit_ = zNone;
    TZone pressed_ = zNone;
    QTimer repeat_;
};

}  // namespace fretlo
