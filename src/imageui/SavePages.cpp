// The save sheet's pages.
#include "imageui/SavePages.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFileSystemModel>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpressionValidator>
#include <QSpinBox>
#include <QTreeView>
#include <QVBoxLayout>

#include "base/StringTable.h"

namespace xelo {

namespace {

constexpr uint32_t kStrDpiItem = 2465;
constexpr int kDpiChoices[] = {72, 96, 150, 200, 300, 600};
constexpr int kMaxSide = 65535;

QStringList Items(const char* list) {
    QStringList items = QString::fromUtf8(list).split(QLatin1Char('|'));
    if (!items.isEmpty() && items.back().isEmpty()) items.pop_back();
    return items;
}

QComboBox* DpiBox(QWidget* parent, int dpi) {
    auto* box = new QComboBox(parent);
    box->setEditable(true);
    for (int d : kDpiChoices)
        box->addItem(QString::fromStdString(FormatString(kStrDpiItem, d)), d);
    box->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("\\d{1,5}( dpi)?")), box));
    box->setCurrentText(QString::fromStdString(FormatString(kStrDpiItem, dpi)));
    return box;
}

int DpiOf(const QComboBox* box) {
    return box->currentText().section(QLatin1Char(' '), 0, 0).toInt();
}

QSpinBox* SideBox(QWidget* parent, const char* name) {
    auto* box = new QSpinBox(parent);
    box->setObjectName(QString::fromUtf8(name));
    box->setRange(1, kMaxSide);
    return box;
}

}  // namespace

QWidget* ActionRow(QWidget* parent, const RunAction& run, bool convert, bool crop, bool resize) {
    auto* row = new QWidget(parent);
    auto* layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    auto add = [&](const QString& text, const char* name, SaveAction action, bool all) {
        auto* button = new QPushButton(text, row);
        button->setObjectName(QString::fromUtf8(name));
        QObject::connect(button, &QPushButton::clicked, row,
                         [run, action, all] { run(action, all); });
        layout->addWidget(button);
    };
    if (convert) {
        add(QObject::tr("Convert"), "convert", SaveAction::kConvert, false);
        add(QObject::tr("Convert All"), "convertAll", SaveAction::kConvert, true);
    }
    if (crop) add(QObject::tr("Crop"), "crop", SaveAction::kCrop, false);
    if (resize) {
        add(QObject::tr("Resize"), "resize", SaveAction::kResize, false);
        add(QObject::tr("Resize All"), "resizeAll", SaveAction::kResize, true);
    }
    layout->addStretch(1);
    return row;
}

CFormatPage::CFormatPage(SaveSheetState& state, const RunAction& run, QWidget* parent)
    : QWidget(parent), state_(state) {
    auto* column = new QVBoxLayout(this);
    auto* dpiRow = new QHBoxLayout;
    dpiRow->addWidget(new QLabel(tr("Resolution(dpi):"), this));
    dpiRow->addWidget(new QLabel(tr("X:"), this));
    xDpi_ = DpiBox(this, state.options.xDpi);
    xDpi_->setObjectName(QStringLiteral("xDpi"));
    dpiRow->addWidget(xDpi_);
    dpiRow->addWidget(new QLabel(tr("Y:"), this));
    yDpi_ = DpiBox(this, state.options.yDpi);
    yDpi_->setObjectName(QStringLiteral("yDpi"));
    dpiRow->addWidget(yDpi_);
    dpiRow->addStretch(1);
    column->addLayout(dpiRow);
    auto storeDpi = [this] {
        state_.options.xDpi = DpiOf(xDpi_);
        state_.options.yDpi = DpiOf(yDpi_);
    };
    connect(xDpi_, &QComboBox::currentTextChanged, this, storeDpi);
    connect(yDpi_, &QComboBox::currentTextChanged, this, storeDpi);

    formats_ = new QButtonGroup(this);
    auto* grid = new QGridLayout;
    const struct {
        int32_t format;
        const char* radio;
        const char* label;
        const char* list;
        const char* name;
    } kRows[] = {
        {kSaveJpeg, "JPEG files (*.jpg)",
         "Quality:", "90 (Highest)|80 (High)|75 (Normal)|60 (Low)|45 (Lowest)|", "jpeg"},
        {kSaveGif, "GIF files (*.gif)", "",
         "2 colors|4 colors|8 colors|16 colors|32 colors|64 colors|128 colors|256 colors|", "gif"},
        {kSaveBmp, "Bitmap files (*.bmp)", "", "2 colors|16 colors|256 colors|24-bits colors",
         "bmp"},
        {kSavePng, "PNG files (*.png)", "", "Lossless|", "png"},
    };
    int row = 0;
    for (const auto& r : kRows) {
        auto* radio = new QRadioButton(tr(r.radio), this);
        radio->setObjectName(QString::fromUtf8(r.name));
        formats_->addButton(radio, r.format);
        grid->addWidget(radio, row, 0);
        if (*r.label) grid->addWidget(new QLabel(tr(r.label), this), row, 1);
        auto* list = new QComboBox(this);
        list->setObjectName(QString::fromUtf8(r.name) + QStringLiteral("List"));
        list->addItems(Items(r.list));
        list->setCurrentIndex(state.listPosition[r.format]);
        grid->addWidget(list, row, 2);
        lists_[r.format] = list;
        connect(list, &QComboBox::currentIndexChanged, this, [this, f = r.format] { Choose(f); });
        ++row;
    }
    grid->setColumnStretch(3, 1);
    column->addLayout(grid);
    connect(formats_, &QButtonGroup::idClicked, this, [this](int id) { Choose(id); });
    column->addStretch(1);
    column->addWidget(ActionRow(this, run, true, true, true));
    formats_->button(state.options.format)->setChecked(true);
    Choose(state.options.format);
}

void CFormatPage::Choose(int32_t format) {
    if (QAbstractButton* radio = formats_->button(format); radio && !radio->isChecked()) {
        radio->setChecked(true);
    }
    for (int32_t f : {kSaveJpeg, kSaveGif, kSaveBmp, kSavePng})
        lists_[f]->setEnabled(f == format);
    state_.options.format = format;
    state_.listPosition[format] = lists_[format]->currentIndex();
    state_.options.value = FormatListValue(format, lists_[format]->currentIndex());
    emit changed();
}

CLocationPage::CLocationPage(SaveSheetState& state, const std::string& albumFolder,
                             const RunAction& run, QWidget* parent)
    : QWidget(parent), state_(state) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    appendage_ = new QLineEdit(QString::fromStdString(state.appendage), this);
    appendage_->setObjectName(QStringLiteral("appendage"));
    // An appendage is part of one file name.
    appendage_->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]*")), appendage_));
    form->addRow(tr("Filename appendage:"), appendage_);
    column->addLayout(form);
    column->addWidget(new QLabel(tr("Select destination folder:"), this));
    model_ = new QFileSystemModel(this);
    model_->setFilter(QDir::AllDirs | QDir::NoDotAndDotDot);
    model_->setRootPath(QStringLiteral("/"));
    tree_ = new QTreeView(this);
    tree_->setObjectName(QStringLiteral("destination"));
    tree_->setModel(model_);
    for (int c = 1; c < model_->columnCount(); ++c)
        tree_->hideColumn(c);
    tree_->header()->hide();
    const QString start =
        QString::fromStdString(state.destination.empty() ? albumFolder : state.destination);
    tree_->setCurrentIndex(model_->index(start));
    tree_->scrollTo(model_->index(start));
    column->addWidget(tree_, 1);
    column->addWidget(ActionRow(this, run, true, true, true));
    connect(appendage_, &QLineEdit::textChanged, this, [this](const QString& text) {
        state_.appendage = text.toStdString();
        emit changed();
    });
    connect(tree_->selectionModel(), &QItemSelectionModel::currentChanged, this,
            [this](const QModelIndex& index) {
                state_.destination = model_->filePath(index).toStdString();
                emit changed();
            });
}

CResizePage::CResizePage(SaveSheetState& state, Size screen, const RunAction& run, QWidget* parent)
    : QWidget(parent), state_(state), screen_(screen) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    preset_ = new QComboBox(this);
    preset_->setObjectName(QStringLiteral("preset"));
    preset_->addItems(
        Items("Fit to screen|240 * ??? Pixels|320 * ??? Pixels|240 * 320 Pixels|"
              "640 * 480 Pixels|800 * 600 Pixels|1024 * 768 Pixels|80%|75%|50%|"
              "User-defined size"));
    form->addRow(tr("Resize to:"), preset_);
    width_ = SideBox(this, "width");
    height_ = SideBox(this, "height");
    form->addRow(tr("Width:"), width_);
    form->addRow(tr("Height:"), height_);
    keepAspect_ = new QCheckBox(tr("Keep aspect ratio"), this);
    keepAspect_->setObjectName(QStringLiteral("keepAspect"));
    keepAspect_->setChecked(state.keepAspect);
    form->addRow(QString(), keepAspect_);
    column->addLayout(form);
    column->addStretch(1);
    column->addWidget(ActionRow(this, run, false, false, true));
    preset_->setCurrentIndex(state.preset);
    connect(preset_, &QComboBox::currentIndexChanged, this, [this](int position) {
        state_.preset = position;
        ApplyPreset();
    });
    connect(width_, &QSpinBox::valueChanged, this, [this] { Edited(true); });
    connect(height_, &QSpinBox::valueChanged, this, [this] { Edited(false); });
    connect(keepAspect_, &QCheckBox::toggled, this, [this](bool on) { state_.keepAspect = on; });
}

void CResizePage::SetImage(Size image) {
    image_ = image;
    ApplyPreset();
}

void CResizePage::ApplyPreset() {
    const Size size = PresetTargetSize(state_.preset, image_, screen_, state_.userSize);
    filling_ = true;
    width_->setValue(size.width);
    height_->setValue(size.height);
    filling_ = false;
}

void CResizePage::Edited(bool widthEdited) {
    if (filling_) return;
    // A typed size is the user-defined size; with the aspect kept, the other side follows the
    // current image's shape.
    Size size{width_->value(), height_->value()};
    if (keepAspect_->isChecked() && image_.width > 0 && image_.height > 0) {
        filling_ = true;
        if (widthEdited) {
            size.height = std::max(
                1, static_cast<int>(static_cast<double>(size.width) * image_.height / image_.width +
                                    0.5));
            height_->setValue(size.height);
        } else {
            size.width = std::max(
                1, static_cast<int>(
                       static_cast<double>(size.height) * image_.width / image_.height + 0.5));
            width_->setValue(size.width);
        }
        filling_ = false;
    }
    state_.userSize = size;
    state_.preset = kPresetUserDefined;
    const QSignalBlocker block(preset_);
    preset_->setCurrentIndex(kPresetUserDefined);
}

CCropPage::CCropPage(SaveSheetState& state, const RunAction& run, QWidget* parent)
    : QWidget(parent), state_(state) {
    auto* column = new QVBoxLayout(this);
    auto* grid = new QGridLayout;
    x_ = SideBox(this, "cropX");
    y_ = SideBox(this, "cropY");
    width_ = SideBox(this, "cropWidth");
    height_ = SideBox(this, "cropHeight");
    x_->setMinimum(0);
    y_->setMinimum(0);
    grid->addWidget(new QLabel(tr("Origin:"), this), 0, 0);
    grid->addWidget(new QLabel(tr("X:"), this), 0, 1);
    grid->addWidget(x_, 0, 2);
    grid->addWidget(new QLabel(tr("Y:"), this), 0, 3);
    grid->addWidget(y_, 0, 4);
    grid->addWidget(new QLabel(tr("Area:"), this), 1, 0);
    grid->addWidget(new QLabel(tr("Width:"), this), 1, 1);
    grid->addWidget(width_, 1, 2);
    grid->addWidget(new QLabel(tr("Height:"), this), 1, 3);
    grid->addWidget(height_, 1, 4);
    grid->setColumnStretch(5, 1);
    column->addLayout(grid);
    column->addStretch(1);
    column->addWidget(ActionRow(this, run, false, true, false));
    for (QSpinBox* box : {x_, y_, width_, height_}) {
        connect(box, &QSpinBox::valueChanged, this, [this] { Store(); });
    }
}

void CCropPage::SetImage(Size image) {
    image_ = {std::max(image.width, 1), std::max(image.height, 1)};
    Rect crop = state_.crop;
    if (crop.IsEmpty() || crop.left < 0 || crop.top < 0 || crop.right > image_.width ||
        crop.bottom > image_.height) {
        crop = Rect{0, 0, image_.width, image_.height};
    }
    filling_ = true;
    x_->setMaximum(image_.width - 1);
    y_->setMaximum(image_.height - 1);
    x_->setValue(crop.left);
    y_->setValue(crop.top);
    width_->setMaximum(image_.width - crop.left);
    height_->setMaximum(image_.height - crop.top);
    width_->setValue(crop.Width());
    height_->setValue(crop.Height());
    filling_ = false;
    Store();
}

void CCropPage::Store() {
    if (filling_) return;
    // The area never reaches past the image: moving the origin shrinks what is left of it.
    filling_ = true;
    width_->setMaximum(image_.width - x_->value());
    height_->setMaximum(image_.height - y_->value());
    filling_ = false;
    state_.crop = Rect{x_->value(), y_->value(), x_->value() + width_->value(),
                       y_->value() + height_->value()};
}

}  // namespace xelo
