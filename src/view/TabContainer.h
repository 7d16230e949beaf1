// TTabContainer: the bordered box holding the ruler above the scroller, which holds the view.
#pragma once

#include <QFrame>

namespace fretlo {

class TTabView;
class TTabRulerParent;
class TTabScroller;

class TTabContainer : public QFrame {
    Q_OBJECT
public:
    // Takes `view` (for example an editor view) and wires it to the ruler and the scroller.
    explicit TTabContainer(TTabView* view, QWidget* parent = nullptr);

    TTabView* View() const { return view_; }
    TTabRulerParent* RulerParent() const { return rulerParent_; }
    TTabScroller* Scroller() const { return scroller_; }

private:
    TTabView* view_;
    TTabRulerParent* rulerParent_;
    TTabScroller* scroller_;
};

}  // namespace fretlo
