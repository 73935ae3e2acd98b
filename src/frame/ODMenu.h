// CODMenu: a pop-up whose rows are painted by the program: 20 pixels high, a mark circle before
// the current choice, the icon (or, for pen widths, a bar as thick as the pen), then the text.
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
    // A pen-width row: a bar `width` pixels thick and "%d Unit(s)"; `width` is the item data.
    void AddPenWidthItem(QAction* action, int width);
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
// The text of a pen-width row: "1 Unit", "2 Units" ...
QString PenWidthText(int width);
// The text a pen-width row is measured with: always the plural form.
QString PenWidthMeasureText(int width);

}  // namespace xelo
