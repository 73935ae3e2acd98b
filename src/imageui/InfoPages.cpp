// The Image Info pages.
#include "imageui/InfoPages.h"

#include <sys/stat.h>
#include <sys/statvfs.h>

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "album/TavoDoc.h"
#include "codec/ImageFile.h"
#include "image/TavoException.h"
#include "imageui/ColourTableDialog.h"
#include "imageui/ImageStepper.h"
#include "imageui/SystemFacts.h"
#include "views/ListTexts.h"

namespace xelo {

namespace {

const QString kNotAvailable = QStringLiteral("N/A");

QString Q(const std::string& text) {
    return QString::fromStdString(text);
}

QCheckBox* ReadOnlyBox(const QString& text, QWidget* parent) {
    auto* box = new QCheckBox(text, parent);
    box->setAttribute(Qt::WA_TransparentForMouseEvents);
    box->setFocusPolicy(Qt::NoFocus);
    return box;
}

// The value of the first record with one of `tags`, in record order.
QString ExifValue(const ExifRecords* records, std::initializer_list<uint32_t> tags) {
    if (records == nullptr) return kNotAvailable;
    for (const ExifRecord& r : *records) {
        for (uint32_t tag : tags) {
            if (!r.group && r.tag == tag && !r.value.empty()) return Q(r.value);
        }
    }
    return kNotAvailable;
}

// "%li.%.1d" of value × 10 truncated.
QString Tenths(double value) {
    const long tenths = static_cast<long>(value * 10);
    return QString::asprintf("%li.%.1d", tenths / 10, static_cast<int>(tenths % 10));
}

}  // namespace

void CInfoPage::ShowImage(int index) {
    CImageEntry* entry = doc_.EntryAt(index);
    if (entry == nullptr || (index == shownIndex_ && entry == shownEntry_)) return;
    shownIndex_ = index;
    shownEntry_ = entry;
    Fill(*entry, index);
}

QLabel* CInfoPage::AddField(QFormLayout* form, const QString& title, const char* name) {
    auto* label = new QLabel(this);
    label->setObjectName(QString::fromUtf8(name));
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    form->addRow(title, label);
    return label;
}

CImagePage::CImagePage(CTavoDoc& doc, std::function<int(QDialog&)> runDialog, QWidget* parent)
    : CInfoPage(doc, parent), runDialog_(std::move(runDialog)) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    type_ = AddField(form, tr("Type:"), "type");
    colours_ = new QLabel(this);
    colours_->setObjectName(QStringLiteral("colors"));
    colourTable_ = new QPushButton(tr("Color Table..."), this);
    colourTable_->setObjectName(QStringLiteral("colorTable"));
    auto* colourRow = new QHBoxLayout;
    colourRow->addWidget(colours_, 1);
    colourRow->addWidget(colourTable_);
    form->addRow(tr("Colors:"), colourRow);
    frames_ = AddField(form, tr("Frames:"), "frames");
    dimension_ = AddField(form, tr("Dimension:"), "dimension");
    name_ = AddField(form, tr("Filename:"), "filename");
    date_ = AddField(form, tr("Date:"), "date");
    size_ = AddField(form, tr("Size:"), "size");
    column->addLayout(form);
    auto* notes = new QHBoxLayout;
    texts_ = ReadOnlyBox(tr("Texts"), this);
    audio_ = ReadOnlyBox(tr("Audio"), this);
    ink_ = ReadOnlyBox(tr("Ink"), this);
    for (QCheckBox* box : {texts_, audio_, ink_}) notes->addWidget(box);
    notes->addStretch(1);
    column->addLayout(notes);
    hidden_ = ReadOnlyBox(tr("Hidden in slide show mode"), this);
    column->addWidget(hidden_);
    column->addStretch(1);
    connect(colourTable_, &QPushButton::clicked, this, &CImagePage::OpenColourTable);
}

void CImagePage::Fill(CImageEntry& entry, int) {
    const EntryHeader& header = entry.Header();
    const bool known = entry.Has(kEntryHeader);
    path_ = JoinPath(doc_.CurrentFolder(), entry.Name());
    type_->setText(known ? Q(TypeName(header.format)) : kNotAvailable);
    const bool grey = header.colourCount == kGreyColourCount;
    colours_->setText(!known ? kNotAvailable
                      : grey ? tr("Grayscale")
                             : Q(FormatColours(header.colourCount)));
    colourTable_->setEnabled(known && !grey && header.colourCount <= 256 && header.bitsPerPixel <= 8);
    frames_->setText(QString::number(header.frameCount));
    dimension_->setText(QStringLiteral("%1 x %2").arg(header.width).arg(header.height));
    name_->setText(Q(entry.Name()));
    date_->setText(Q(FormatShortDate(entry.WriteTime())));
    size_->setText(Q(FormatFileSize(entry.Size())));
    const uint32_t notes = entry.Annotations(doc_.CurrentFolder());
    texts_->setChecked(notes & kEntryHasText);
    audio_->setChecked(notes & kEntryHasAudio);
    ink_->setChecked(notes & kEntryHasInk);
    hidden_->setChecked(entry.Has(kEntryHidden));
}

void CImagePage::OpenColourTable() {
    ImageInfo info;
    try {
        CImageFile().ReadInfo(path_, info);
    } catch (const CTavoException&) {
        colourTable_->setEnabled(false);
        return;
    }
    if (info.palette.count == 0) return;
    CColourTableDialog dialog(info.palette, this);
    runDialog_(dialog);
}

COutputPage::COutputPage(CTavoDoc& doc, QWidget* parent) : CInfoPage(doc, parent) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    unit_ = new QComboBox(this);
    unit_->setObjectName(QStringLiteral("unit"));
    unit_->addItems({tr("Centimeters"), tr("Inches")});
    unit_->setCurrentIndex(1);
    form->addRow(tr("Unit:"), unit_);
    resolutionTitle_ = new QLabel(this);
    form->addRow(resolutionTitle_);
    xResolution_ = AddField(form, tr("X:"), "xResolution");
    yResolution_ = AddField(form, tr("Y:"), "yResolution");
    sizeTitle_ = new QLabel(this);
    form->addRow(sizeTitle_);
    width_ = AddField(form, tr("Width:"), "outputWidth");
    height_ = AddField(form, tr("Height:"), "outputHeight");
    column->addLayout(form);
    column->addStretch(1);
    connect(unit_, &QComboBox::currentIndexChanged, this, &COutputPage::ShowValues);
}

void COutputPage::Fill(CImageEntry& entry, int) {
    pixels_[0] = entry.Header().width;
    pixels_[1] = entry.Header().height;
    dpi_[0] = entry.Header().xResolution;
    dpi_[1] = entry.Header().yResolution;
    ShowValues();
}

void COutputPage::ShowValues() {
    const bool inches = unit_->currentIndex() == 1;
    const QString unit = inches ? tr("Inch") : tr("Centimeter");
    resolutionTitle_->setText(tr("Resolution (Pixel/%1)").arg(unit));
    sizeTitle_->setText(tr("Output size (%1)").arg(unit));
    const bool known = dpi_[0] > 0 && dpi_[1] > 0;
    unit_->setEnabled(known);
    QLabel* resolution[2] = {xResolution_, yResolution_};
    QLabel* size[2] = {width_, height_};
    for (int i = 0; i < 2; ++i) {
        if (!known) {
            resolution[i]->setText(kNotAvailable);
            size[i]->setText(kNotAvailable);
            continue;
        }
        const double perUnit = inches ? dpi_[i] : dpi_[i] * 0.3937007874;
        resolution[i]->setText(QString::number(static_cast<long>(perUnit + 0.5)));
        const double lengthInches = static_cast<double>(pixels_[i]) / dpi_[i];
        size[i]->setText(Tenths(inches ? lengthInches : lengthInches * 2.54));
    }
}

CFolderPage::CFolderPage(CTavoDoc& doc, QWidget* parent) : CInfoPage(doc, parent) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    folder_ = AddField(form, tr("Folder:"), "folder");
    folder_->setWordWrap(true);
    count_ = AddField(form, tr("Image files:"), "imageFiles");
    totalSize_ = AddField(form, tr("Total size:"), "totalSize");
    date_ = AddField(form, tr("Date:"), "folderDate");
    totalSpace_ = AddField(form, tr("Total space:"), "totalSpace");
    usedSpace_ = AddField(form, tr("Used space:"), "usedSpace");
    freeSpace_ = AddField(form, tr("Free space:"), "freeSpace");
    column->addLayout(form);
    column->addStretch(1);
}

void CFolderPage::Fill(CImageEntry&, int) {
    const std::string& folder = doc_.CurrentFolder();
    folder_->setText(Q(folder));
    count_->setText(QString::number(doc_.Count()));
    uint64_t total = 0;
    for (int i = 0; i < doc_.Count(); ++i) total += doc_.EntryAt(i)->Size();
    totalSize_->setText(Q(FormatBigSize(total)));
    struct stat st {};
    date_->setText(::stat(folder.c_str(), &st) == 0
                       ? Q(FormatShortDate(int64_t{st.st_mtim.tv_sec} * 1000000000 +
                                           st.st_mtim.tv_nsec))
                       : kNotAvailable);
    struct statvfs fs {};
    if (::statvfs(folder.c_str(), &fs) == 0) {
        const uint64_t all = static_cast<uint64_t>(fs.f_blocks) * fs.f_frsize;
        const uint64_t free = static_cast<uint64_t>(fs.f_bavail) * fs.f_frsize;
        const uint64_t unused = static_cast<uint64_t>(fs.f_bfree) * fs.f_frsize;
        totalSpace_->setText(Q(FormatBigSize(all)));
        usedSpace_->setText(Q(FormatBigSize(all - unused)));
        freeSpace_->setText(Q(FormatBigSize(free)));
    } else {
        for (QLabel* l : {totalSpace_, usedSpace_, freeSpace_}) l->setText(kNotAvailable);
    }
}

CSystemPage::CSystemPage(CTavoDoc& doc, QWidget* parent) : CInfoPage(doc, parent) {
    auto* column = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    const char* kTitles[] = {"Model:",         "Processor:", "OS:",
                             "Version:",       "Total memory:", "Storage memory:",
                             "Free:",          "Program memory:", "Free:"};
    const char* kNames[] = {"model",       "processor",   "os",           "version", "totalMemory",
                            "storage",     "storageFree", "programMemory", "programFree"};
    for (int i = 0; i < 9; ++i) fields_[i] = AddField(form, tr(kTitles[i]), kNames[i]);
    fields_[1]->setWordWrap(true);
    column->addLayout(form);
    column->addStretch(1);
}

void CSystemPage::Fill(CImageEntry&, int) {
    const SystemFacts facts = ReadSystemFacts(doc_.CurrentFolder());
    const QString texts[9] = {
        facts.model.empty() ? kNotAvailable : Q(facts.model),
        facts.processor.empty() ? kNotAvailable : Q(facts.processor),
        Q(facts.system),
        Q(facts.version),
        Q(FormatBigSize(facts.storageTotal + facts.memoryTotal)),
        Q(FormatBigSize(facts.storageTotal)),
        Q(FormatBigSize(facts.storageFree)),
        Q(FormatBigSize(facts.memoryTotal)),
        Q(FormatBigSize(facts.memoryFree)),
    };
    for (int i = 0; i < 9; ++i) fields_[i]->setText(texts[i]);
}

CMetaPage::CMetaPage(CTavoDoc& doc, QWidget* parent) : CInfoPage(doc, parent) {
    auto* column = new QVBoxLayout(this);
    list_ = new QTreeWidget(this);
    list_->setObjectName(QStringLiteral("metadata"));
    list_->setHeaderLabels({tr("Tag"), tr("Value")});
    list_->setRootIsDecorated(false);
    list_->setAlternatingRowColors(true);
    list_->header()->setSectionResizeMode(0, QHeaderView::ResizeToContents);
    column->addWidget(list_);
}

void CMetaPage::Fill(CImageEntry& entry, int) {
    list_->clear();
    const ExifRecords* records = entry.Metadata(doc_.CurrentFolder());
    if (records == nullptr) return;
    for (const ExifRecord& r : *records) {
        auto* item = new QTreeWidgetItem(list_, {Q(r.name), Q(r.value)});
        if (r.group) {
            QFont bold = item->font(0);
            bold.setBold(true);
            item->setFont(0, bold);
            item->setFirstColumnSpanned(true);
        }
    }
}

CHistogramGraph::CHistogramGraph(QWidget* parent) : QWidget(parent) {
    setObjectName(QStringLiteral("histogramGraph"));
    setMinimumSize(128, 80);
}

void CHistogramGraph::SetBins(const HistogramBins& bins, QColor colour) {
    bins_ = bins;
    colour_ = colour;
    update();
}

void CHistogramGraph::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const QRect area = rect().adjusted(1, 1, -1, -1);
    painter.fillRect(rect(), palette().color(QPalette::Base));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
    const uint32_t tallest = *std::max_element(bins_.begin(), bins_.end());
    if (tallest == 0) return;
    // Each bin gets its share of the width; bars reach the top for the tallest bin.
    for (int v = 0; v < 256; ++v) {
        const int left = area.left() + v * area.width() / 256;
        const int right = area.left() + (v + 1) * area.width() / 256;
        const int bar = static_cast<int>(static_cast<uint64_t>(bins_[v]) * area.height() / tallest);
        if (bar > 0) {
            painter.fillRect(QRect(left, area.bottom() - bar + 1, std::max(right - left, 1), bar),
                             colour_);
        }
    }
}

CHistoPage::CHistoPage(CTavoDoc& doc, QWidget* parent) : CInfoPage(doc, parent) {
    auto* column = new QVBoxLayout(this);
    auto* top = new QHBoxLayout;
    position_ = new QLabel(this);
    position_->setObjectName(QStringLiteral("position"));
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("histogramName"));
    name_->setReadOnly(true);
    top->addWidget(position_);
    top->addWidget(name_, 1);
    column->addLayout(top);
    auto* form = new QFormLayout;
    dimension_ = AddField(form, tr("Dimension:"), "histogramDimension");
    shot_ = AddField(form, tr("Shooting date/time:"), "shootingDate");
    exposure_ = AddField(form, tr("Exposure time:"), "exposureTime");
    aperture_ = AddField(form, tr("Aperture value:"), "apertureValue");
    column->addLayout(form);
    auto* radios = new QHBoxLayout;
    radios->addWidget(new QLabel(tr("Channel:"), this));
    channels_group_ = new QButtonGroup(this);
    const char* kChannels[] = {"Luminance", "R", "G", "B"};
    for (int c = 0; c < 4; ++c) {
        auto* radio = new QRadioButton(tr(kChannels[c]), this);
        radio->setObjectName(QStringLiteral("channel%1").arg(c));
        channels_group_->addButton(radio, c);
        radios->addWidget(radio);
    }
    radios->addStretch(1);
    column->addLayout(radios);
    graph_ = new CHistogramGraph(this);
    column->addWidget(graph_, 1);
    channels_group_->button(kChannelLuminance)->setChecked(true);
    connect(channels_group_, &QButtonGroup::idClicked, this, &CHistoPage::ShowChannel);
}

void CHistoPage::Fill(CImageEntry& entry, int index) {
    position_->setText(QStringLiteral("%1:").arg(index + 1));
    name_->setText(Q(entry.Name()));
    dimension_->setText(
        QStringLiteral("%1 x %2").arg(entry.Header().width).arg(entry.Header().height));
    const ExifRecords* records = entry.Metadata(doc_.CurrentFolder());
    shot_->setText(ExifValue(records, {0x9003}) != kNotAvailable ? ExifValue(records, {0x9003})
                   : ExifValue(records, {0x9004}) != kNotAvailable
                       ? ExifValue(records, {0x9004})
                       : ExifValue(records, {0x0132}));
    exposure_->setText(ExifValue(records, {0x829A}));
    aperture_->setText(ExifValue(records, {0x9202, 0x829D}));
    CDibImage thumbnail;
    channels_ = {};
    if (SheetThumbnail(doc_, entry, thumbnail)) channels_ = CountChannels(thumbnail);
    ShowChannel(channel_);
}

void CHistoPage::ShowChannel(int channel) {
    channel_ = channel;
    static const QColor kColours[] = {Qt::darkGray, Qt::red, Qt::darkGreen, Qt::blue};
    graph_->SetBins(channels_[channel], kColours[channel]);
}

}  // namespace xelo
