#include "prefs/TransitionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QRadioButton>
#include <cmath>

#include "platform/HelpTopics.h"
#include "prefs/PrefTexts.h"
#include "slideshow/DibTransitionTarget.h"
#include "slideshow/EffectTable.h"
#include "slideshow/SlideSettings.h"
#include "slideshow/Transition.h"

namespace xelo {

constexpr int kPreviewWidth = 160;
constexpr int kPreviewHeight = 120;

void DrawPreviewPicture(CDibImage& picture, int width, int height, bool second) {
    picture.Create(width, height, 3, false);
    for (int y = 0; y < height; ++y) {
        uint8_t* p = picture.Row(y);
        const double v = static_cast<double>(y) / height;
        for (int x = 0; x < width; ++x, p += 3) {
            const double u = static_cast<double>(x) / width;
            const double hill = 0.65 + 0.12 * std::sin(u * 6.3 + (second ? 1.5 : 0));
            int r, g, b;
            if (!second) {
                r = v < hill ? static_cast<int>(250 - 120 * v) : 40;
                g = v < hill ? static_cast<int>(120 + 60 * v) : static_cast<int>(90 + 40 * u);
                b = v < hill ? static_cast<int>(90 + 100 * v) : 50;
            } else {
                const bool sun = std::hypot(u - 0.7, v - 0.3) < 0.1;
                r = sun ? 255 : v < 0.5 ? static_cast<int>(110 + 80 * v) : 20;
                g = sun ? 230 : v < 0.5 ? static_cast<int>(170 + 60 * v) : static_cast<int>(90 + 50 * v);
                b = sun ? 120 : v < 0.5 ? 240 : static_cast<int>(160 + 40 * u);
            }
            p[0] = static_cast<uint8_t>(b);
            p[1] = static_cast<uint8_t>(g);
            p[2] = static_cast<uint8_t>(r);
        }
    }
}

class CTransitionPreview : public QWidget {
  public:
    explicit CTransitionPreview(QWidget* parent) : QWidget(parent) {
        setFixedSize(kPreviewWidth, kPreviewHeight);
        DrawPreviewPicture(pictures_[0], kPreviewWidth, kPreviewHeight, false);
        DrawPreviewPicture(pictures_[1], kPreviewWidth, kPreviewHeight, true);
        surface_.Create(kPreviewWidth, kPreviewHeight, 3, false);
        std::copy_n(pictures_[0].Bits(), pictures_[0].Stride() * kPreviewHeight, surface_.Bits());
    }
    void Play(int effect, int durationMs) {
        shown_ = 1 - shown_;
        struct Target : CDibTransitionTarget {
            Target(CDibImage& s, QWidget& w) : CDibTransitionTarget(s), widget(w) {}
            void Present(const Rect&) override { widget.repaint(); }
            QWidget& widget;
        } target(surface_, *this);
        RunTransition(effect, durationMs, target, Rect{0, 0, kPreviewWidth, kPreviewHeight},
                      pictures_[shown_]);
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.drawImage(0, 0, QImage(surface_.Bits(), kPreviewWidth, kPreviewHeight,
                                       static_cast<qsizetype>(surface_.Stride()),
                                       QImage::Format_BGR888));
    }

  private:
    CDibImage pictures_[2];
    CDibImage surface_;
    int shown_ = 0;
};

CTransitionDialog::CTransitionDialog(int effect, int speed, QWidget* parent)
    : QDialog(parent),
      effects_(new QComboBox(this)),
      slow_(new QRadioButton(PrefString(kStrSlow), this)),
      medium_(new QRadioButton(PrefString(kStrMedium), this)),
      fast_(new QRadioButton(PrefString(kStrFast), this)),
      preview_(new CTransitionPreview(this)) {
    setWindowTitle(PrefString(kStrTransition));
    for (int index : kDialogEffects) {
        const std::string name = EffectName(index);
        if (!name.empty()) effects_->addItem(QString::fromStdString(name), index);
    }
    effects_->setCurrentIndex(std::max(0, effects_->findData(effect)));
    (speed == kSpeedSlow ? slow_ : speed == kSpeedMedium ? medium_ : fast_)->setChecked(true);
    auto* speeds = new QHBoxLayout;
    speeds->addWidget(slow_);
    speeds->addWidget(medium_);
    speeds->addWidget(fast_);
    auto* form = new QFormLayout(this);
    form->addRow(PrefString(kStrEffect), effects_);
    form->addRow(speeds);
    form->addRow(preview_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    AttachHelp(this, kHelpTransitions, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    form->addRow(buttons);
    UpdateSpeeds();
    connect(effects_, &QComboBox::currentIndexChanged, this, [this] {
        UpdateSpeeds();
        Preview();
    });
    for (QRadioButton* b : {slow_, medium_, fast_})
        connect(b, &QRadioButton::clicked, this, [this] { Preview(); });
}

int CTransitionDialog::Effect() const {
    return effects_->currentData().toInt();
}

int CTransitionDialog::Speed() const {
    return slow_->isChecked() ? kSpeedSlow : medium_->isChecked() ? kSpeedMedium : kSpeedFast;
}

void CTransitionDialog::UpdateSpeeds() {
    const int effect = Effect();
    const bool timed = effect != 0 && effect != 2 && effect != 3;
    for (QRadioButton* b : {slow_, medium_, fast_})
        b->setEnabled(timed);
}

void CTransitionDialog::Preview() {
    preview_->Play(Effect(), TransitionDurationMs(Speed()));
}

}  // namespace xelo
