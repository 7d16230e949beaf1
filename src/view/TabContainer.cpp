#include "view/TabContainer.h"

#include <QVBoxLayout>

#include "view/TabView.h"

namespace fretlo {

TTabContainer::TTabContainer(TTabView* view, QWidget* parent)
    : QFrame(parent), view_(view), rulerParent_(new TTabRulerParent(view, this)),
      scroller_(new TTabScroller(this)) {
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    auto* box = new QVBoxLayout(this);
    box->setContentsMargins(frameWidth(), frameWidth(), frameWidth(), frameWidth());
    box->setSpacing(0);
    box->addWidget(rulerParent_);
    box->addWidget(scroller_, 1);
    view->SetRuler(rulerParent_->Ruler());
    scroller_->SetView(view);
    view->SetColors(view->Colors());
}

}  // namespace fretlo
