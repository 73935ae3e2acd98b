// The painted rows of CODMenu.
#include "frame/ODMenu.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidgetAction>

namespace xelo {

namespace {

const QColor kHighlight(0x00, 0x00, 0x99);  // the program's 0x990000 (0x00BBGGRR)

class ODMenuRow : public QWidget {
  public:
    ODMenuRow(CODMenu& menu, QAction* action, int data, QIcon icon)
        : QWidget(&menu), menu_(menu), action_(action), data_(data), icon_(std::move(icon)) {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
        setFixedHeight(kODItemHeight);
        setMinimumWidth(ODItemWidth(QFontMetrics(menu.ItemFont()), action->text()));
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter p(this);
        const bool hot = underMouse() && action_->isEnabled();
        p.fillRect(rect(), hot ? kHighlight : QColor(Qt::white));
        const QColor ink = !action_->isEnabled() ? QColor(Qt::gray)
                                                 : (hot ? QColor(Qt::white) : QColor(Qt::black));
        if (menu_.Current() == data_) {
            p.setRenderHint(QPainter::Antialiasing);
            p.setBrush(ink);
            p.setPen(Qt::NoPen);
            p.drawEllipse(QRectF(6, (height() - 6) / 2.0, 6, 6));
            p.setRenderHint(QPainter::Antialiasing, false);
        }
        icon_.paint(&p, QRect(16, 2, 16, 16));
        p.setPen(ink);
        p.setFont(menu_.ItemFont());
        p.drawText(QRect(16 + 16 + 6, 0, width() - 38, height()), Qt::AlignLeft | Qt::AlignVCenter,
                   action_->text());
    }
    void enterEvent(QEnterEvent*) override { update(); }
    void leaveEvent(QEvent*) override { update(); }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (!rect().contains(event->position().toPoint()) || !action_->isEnabled()) return;
        menu_.close();
        action_->trigger();
    }

  private:
    CODMenu& menu_;
    QAction* action_;  // not owned
    int data_;
    QIcon icon_;
};

}  // namespace

int ODItemWidth(const QFontMetrics& metrics, const QString& text) {
    return 45 + metrics.horizontalAdvance(text);
}

CODMenu::CODMenu(QWidget* parent) : QMenu(parent) {
    // 8.6 points, bold; the desktop's sans face stands in for the named one.
    font_.setPointSizeF(8.6);
    font_.setWeight(QFont::Bold);
}

void CODMenu::AddItem(QAction* action, int data, const QIcon& icon) {
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(new ODMenuRow(*this, action, data, icon));
    holder->setEnabled(true);
    addAction(holder);
}

}  // namespace xelo
