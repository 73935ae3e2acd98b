// The pages of the Image Info sheet: Image, Output, Folder, System, Metadata and Histogram. Each
// fills itself for an image of the album when it is shown and the image differs from the last.
#pragma once

#include <QWidget>
#include <array>
#include <functional>

#include "image/ChannelHistogram.h"

class QButtonGroup;
class QCheckBox;
class QComboBox;
class QFormLayout;
class QLabel;
class QLineEdit;
class QPushButton;
class QTreeWidget;

namespace xelo {

class CTavoDoc;
class CImageEntry;

class CInfoPage : public QWidget {
    Q_OBJECT
  public:
    CInfoPage(CTavoDoc& doc, QWidget* parent) : QWidget(parent), doc_(doc) {}
    // Fills the page for the image at `index` unless it shows that image already.
    void ShowImage(int index);

  protected:
    virtual void Fill(CImageEntry& entry, int index) = 0;
    // A label in `form` under `title`, with an object name for tests and screenshots.
    QLabel* AddField(QFormLayout* form, const QString& title, const char* name);
    CTavoDoc& doc_;

  private:
    int shownIndex_ = -1;
    const CImageEntry* shownEntry_ = nullptr;
};

class CImagePage : public CInfoPage {
    Q_OBJECT
  public:
    CImagePage(CTavoDoc& doc, std::function<int(QDialog&)> runDialog, QWidget* parent = nullptr);

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    void OpenColourTable();
    std::function<int(QDialog&)> runDialog_;
    QLabel* type_;
    QLabel* colours_;
    QPushButton* colourTable_;
    QLabel* frames_;
    QLabel* dimension_;
    QLabel* name_;
    QLabel* date_;
    QLabel* size_;
    QCheckBox* texts_;
    QCheckBox* audio_;
    QCheckBox* ink_;
    QCheckBox* hidden_;
    std::string path_;
};

class COutputPage : public CInfoPage {
    Q_OBJECT
  public:
    explicit COutputPage(CTavoDoc& doc, QWidget* parent = nullptr);

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    void ShowValues();
    QComboBox* unit_;
    QLabel* resolutionTitle_;
    QLabel* sizeTitle_;
    QLabel* xResolution_;
    QLabel* yResolution_;
    QLabel* width_;
    QLabel* height_;
    int pixels_[2] = {0, 0};
    int dpi_[2] = {-1, -1};
};

class CFolderPage : public CInfoPage {
    Q_OBJECT
  public:
    explicit CFolderPage(CTavoDoc& doc, QWidget* parent = nullptr);

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    QLabel* folder_;
    QLabel* count_;
    QLabel* totalSize_;
    QLabel* date_;
    QLabel* totalSpace_;
    QLabel* usedSpace_;
    QLabel* freeSpace_;
};

class CSystemPage : public CInfoPage {
    Q_OBJECT
  public:
    explicit CSystemPage(CTavoDoc& doc, QWidget* parent = nullptr);

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    QLabel* fields_[9] = {};
};

class CMetaPage : public CInfoPage {
    Q_OBJECT
  public:
    explicit CMetaPage(CTavoDoc& doc, QWidget* parent = nullptr);

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    QTreeWidget* list_;
};

// The bars of one channel's 256 bins, the tallest reaching the top.
class CHistogramGraph : public QWidget {
    Q_OBJECT
  public:
    explicit CHistogramGraph(QWidget* parent = nullptr);
    void SetBins(const HistogramBins& bins, QColor colour);
    QSize sizeHint() const override { return {256 + 2, 120}; }

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    HistogramBins bins_{};
    QColor colour_;
};

class CHistoPage : public CInfoPage {
    Q_OBJECT
  public:
    explicit CHistoPage(CTavoDoc& doc, QWidget* parent = nullptr);
    const HistogramBins& Bins() const { return channels_[channel_]; }

  protected:
    void Fill(CImageEntry& entry, int index) override;

  private:
    void ShowChannel(int channel);
    QLabel* position_;
    QLineEdit* name_;
    QLabel* dimension_;
    QLabel* shot_;
    QLabel* exposure_;
    QLabel* aperture_;
    QButtonGroup* channels_group_;
    CHistogramGraph* graph_;
    std::array<HistogramBins, 4> channels_{};
    int channel_ = kChannelLuminance;
};

}  // namespace xelo
