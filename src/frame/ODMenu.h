// CODMenu: a pop-up whose rows are painted by the program: 20 pixels high, a mark circle before
// the current choice, the icon, then the text.
#pragma once

#include <QIcon>
#include <QMenu>
#include <functional>

namespace xelo {

class CODMenu : public QMenu {
    Q_OBJECT

  public:
    explicit CODMenu(QWidget* parent = nullptr);

    // One row that triggers `action`; `data` is the item data (the command, or the pen width).
    void AddItem(QAction* action, int data, const QIcon& icon);
    // The item data of the row that gets the mark circle, asked each time the menu shows.
    void SetCurrent(std::function<int()> current) { current_ = std::move(current); }
    int Current() const { return current_ ? current_() : 0; }
    const QFont& ItemFont() const { return font_; }

  private:
    std::function<int()> current_;
    QFont font_;
};

// Row height and width of an item with `text`.
constexpr int kODItemHeight = 20;
int ODItemWidth(const QFontMetrics& metrics, const QString& text);

}  // namespace xelo
