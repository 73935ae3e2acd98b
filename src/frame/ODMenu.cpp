// The painted rows of CODMenu.
#include "frame/ODMenu.h"

#include <QMouseEvent>
#include <QPainter>
#include <QWidgetAction>

#include "base/StringTable.h"

namespace xelo {

namespace {

const QColor kHighlight(0x00, 0x00, 0x99);  // the program's 0x990000 (0x00BBGGRR)
constexpr uint32_t kStrUnit = 2457;
constexpr uint32_t kStrUnits = 2458;
constexpr int kIconLeft = 16;
constexpr int kIconSize = 16;
constexpr int kTextGap = 6;

class ODMenuRow : public QWidget {
  public:
    // `penWidth` 0: an icon row showing the action's text.
    ODMenuRow(CODMenu& menu, QAction* action, int data, QIcon icon, int penWidth)
        : QWidget(&menu),
          menu_(menu),
          action_(action),
          data_(data),
          icon_(std::move(icon)),
          penWidth_(penWidth) {
        setMouseTracking(true);
        setAttribute(Qt::WA_Hover);
        setFixedHeight(kODItemHeight);
        const QString measured = penWidth > 0 ? PenWidthMeasureText(penWidth) : action->text();
        setMinimumWidth(ODItemWidth(QFontMetrics(menu.ItemFont()), measured));
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
        if (penWidth_ > 0) {
            p.fillRect(kIconLeft, (height() - penWidth_) / 2, kIconSize, penWidth_, ink);
        } else {
            icon_.paint(&p, QRect(kIconLeft, 2, kIconSize, kIconSize));
        }
        p.setPen(ink);
        p.setFont(menu_.ItemFont());
        const int textLeft = kIconLeft + kIconSize + kTextGap;
        p.drawText(QRect(textLeft, 0, width() - textLeft, height()),
                   Qt::AlignLeft | Qt::AlignVCenter,
                   penWidth_ > 0 ? PenWidthText(penWidth_) : action_->text());
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
    int penWidth_;
};

}  // namespace

int ODItemWidth(const QFontMetrics& metrics, const QString& text) {
    return 45 + metrics.horizontalAdvance(text);
}

QString PenWidthText(int width) {
    return QString::fromStdString(width == 1 ? FormatString(kStrUnit, 1)
                                             : FormatString(kStrUnits, width));
}

QString PenWidthMeasureText(int width) {
    return QString::fromStdString(FormatString(kStrUnits, width));
}

CODMenu::CODMenu(QWidget* parent) : QMenu(parent) {
    // 8.6 points, bold; the desktop's sans face stands in for the named one.
    font_.setPointSizeF(8.6);
    font_.setWeight(QFont::Bold);
}

void CODMenu::AddItem(QAction* action, int data, const QIcon& icon) {
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(new ODMenuRow(*this, action, data, icon, 0));
    addAction(holder);
}

void CODMenu::AddPenWidthItem(QAction* action, int width) {
    auto* holder = new QWidgetAction(this);
    holder->setDefaultWidget(new ODMenuRow(*this, action, width, QIcon(), width));
    addAction(holder);
}

}  // namespace xelo
