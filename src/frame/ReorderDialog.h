// The "Reorder" dialog: the album's order as a numbered list with a preview of the selected
// image; First, Up, Down and Last move the selected image. OK hands the new order back.
#pragma once

#include <QDialog>
#include <string>
#include <vector>

class QLabel;
class QTreeWidget;

namespace xelo {

class CImageEntry;

class CReorderDialog : public QDialog {
    Q_OBJECT

  public:
    CReorderDialog(std::vector<CImageEntry*> order, std::string folder, QWidget* parent = nullptr);

    const std::vector<CImageEntry*>& Order() const { return order_; }
    QTreeWidget* List() const { return list_; }
    int SelectedRow() const;
    // Moves the selected row with one of the model's steps and selects the row it returns.
    void Move(int (*step)(std::vector<CImageEntry*>&, int));

  private:
    void ShowNames();
    void Select(int row);
    void ShowPreview();

    std::vector<CImageEntry*> order_;
    std::string folder_;
    QTreeWidget* list_;
    QLabel* preview_;
};

}  // namespace xelo
