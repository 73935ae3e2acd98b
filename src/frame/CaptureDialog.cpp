// The capture settings dialog and its file-format page.
#include "frame/CaptureDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

#include "album/SnapName.h"
#include "base/StringTable.h"
#include "platform/HelpTopics.h"
#include "platform/UiText.h"
#include "settings/PrefLayout.h"

namespace xelo {

namespace {

constexpr uint32_t kStrTitle = 2720;
constexpr uint32_t kStrEnable = 2721;
constexpr uint32_t kStrTrigger = 2722;
constexpr uint32_t kStrResolution = 2723;
constexpr uint32_t kStrConfirm = 2724;
constexpr uint32_t kStrSound = 2725;
constexpr uint32_t kStrFolder = 2726;
constexpr uint32_t kStrFileName = 2727;
constexpr uint32_t kStrChange = 2728;
constexpr uint32_t kStrFormatTitle = 2729;
constexpr uint32_t kStrPrefix = 2730;
constexpr uint32_t kStrSample = 2731;
constexpr uint32_t kStrFormat = 2732;
constexpr uint32_t kStrFormats = 2733;
constexpr uint32_t kStrSeparator = 2738;
constexpr uint32_t kStrNoKeys = 2739;
constexpr uint32_t kStrSelectFolder = 2455;
constexpr uint32_t kStrDelay = 2456;
constexpr uint32_t kStrDpi = 2465;
constexpr int kSeparatorData = -1;

QPushButton* ChangeButton(const char* name) {
    auto* button = new QPushButton(Text(kStrChange));
    button->setObjectName(QLatin1String(name));
    return button;
}

}  // namespace

CCaptureDialog::CCaptureDialog(const CaptureSettings& settings, std::span<const CaptureKey> keys,
                               bool keysAvailable, QWidget* parent)
    : QDialog(parent), settings_(settings) {
    setWindowTitle(Text(kStrTitle));
    enabled_ = new QCheckBox(Text(kStrEnable));
    enabled_->setObjectName(QStringLiteral("enabled"));
    enabled_->setChecked(settings.enabled);

    trigger_ = new QComboBox;
    trigger_->setObjectName(QStringLiteral("trigger"));
    if (keysAvailable) {
        for (const CaptureKey& k : keys)
            trigger_->addItem(QString::fromLatin1(k.name), k.button);
        trigger_->addItem(Text(kStrSeparator), kSeparatorData);
    }
    for (int seconds : CaptureDelays())
        trigger_->addItem(QString::fromStdString(FormatString(kStrDelay, seconds)), seconds * 1000);
    const int stored = trigger_->findData(static_cast<int>(settings.trigger));
    trigger_->setCurrentIndex(stored >= 0 ? stored : 0);

    dpi_ = new QComboBox;
    dpi_->setObjectName(QStringLiteral("dpi"));
    for (uint32_t dpi : ui::kCaptureDpiChoices) {
        dpi_->addItem(QString::fromStdString(FormatString(kStrDpi, static_cast<int>(dpi))),
                      static_cast<int>(dpi));
    }
    const int dpiIndex = dpi_->findData(settings.dpi);
    dpi_->setCurrentIndex(dpiIndex >= 0 ? dpiIndex : dpi_->findData(96));

    confirm_ = new QCheckBox(Text(kStrConfirm));
    confirm_->setObjectName(QStringLiteral("confirm"));
    confirm_->setChecked(settings.confirm);
    sound_ = new QCheckBox(Text(kStrSound));
    sound_->setObjectName(QStringLiteral("sound"));
    sound_->setChecked(settings.sound);
    folder_ = new QLabel;
    folder_->setObjectName(QStringLiteral("folder"));
    folder_->setTextFormat(Qt::PlainText);
    name_ = new QLabel;
    name_->setObjectName(QStringLiteral("name"));
    name_->setTextFormat(Qt::PlainText);
    QPushButton* changeFolder = ChangeButton("changeFolder");
    QPushButton* changeFormat = ChangeButton("changeFormat");
    connect(changeFolder, &QPushButton::clicked, this, &CCaptureDialog::ChangeFolder);
    connect(changeFormat, &QPushButton::clicked, this, &CCaptureDialog::ChangeFormat);

    auto* form = new QFormLayout;
    form->addRow(enabled_);
    form->addRow(Text(kStrTrigger), trigger_);
    if (!keysAvailable) {
        auto* note = new QLabel(Text(kStrNoKeys));
        note->setObjectName(QStringLiteral("noKeys"));
        note->setWordWrap(true);
        form->addRow(note);
    }
    form->addRow(Text(kStrResolution), dpi_);
    form->addRow(confirm_);
    form->addRow(sound_);
    auto* folderRow = new QHBoxLayout;
    folderRow->addWidget(folder_, 1);
    folderRow->addWidget(changeFolder);
    form->addRow(Text(kStrFolder), folderRow);
    auto* nameRow = new QHBoxLayout;
    nameRow->addWidget(name_, 1);
    nameRow->addWidget(changeFormat);
    form->addRow(Text(kStrFileName), nameRow);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    AttachHelp(this, kHelpCapture, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
    ShowName();
}

void CCaptureDialog::ShowName() {
    folder_->setText(QString::fromStdString(settings_.folder));
    name_->setText(
        QString::fromStdString(NextSnapName(settings_.folder, settings_.prefix, settings_.format)));
}

void CCaptureDialog::ChangeFolder() {
    const QString chosen = QFileDialog::getExistingDirectory(
        this, Text(kStrSelectFolder), QString::fromStdString(settings_.folder));
    if (chosen.isEmpty()) return;
    settings_.folder = chosen.toStdString();
    ShowName();
}

void CCaptureDialog::ChangeFormat() {
    CCaptureFormatDialog dialog(settings_.prefix, settings_.format, this);
    if (dialog.exec() != QDialog::Accepted) return;
    settings_.prefix = dialog.Prefix();
    settings_.format = dialog.Format();
    ShowName();
}

CaptureSettings CCaptureDialog::Settings() const {
    CaptureSettings s = settings_;
    const int data = trigger_->currentIndex() >= 0 ? trigger_->currentData().toInt()
                                                   : trigger_->itemData(0).toInt();
    s.enabled = enabled_->isChecked() && data != kSeparatorData;
    if (data != kSeparatorData) s.trigger = static_cast<uint32_t>(data);
    s.confirm = confirm_->isChecked();
    s.sound = sound_->isChecked();
    s.dpi = dpi_->currentData().toInt();
    return s;
}

CCaptureFormatDialog::CCaptureFormatDialog(const std::string& prefix, int format, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(Text(kStrFormatTitle));
    auto* edit = new QLineEdit(QString::fromStdString(prefix));
    edit->setObjectName(QStringLiteral("prefix"));
    // A prefix names a file in the capture folder, never another folder.
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[^/]+")), edit));
    auto* formats = new QComboBox;
    formats->setObjectName(QStringLiteral("format"));
    const std::string labels = LoadString(kStrFormats);
    for (int i = 0; i <= kSnapGif; ++i)
        formats->addItem(QString::fromStdString(FieldItem(labels, i)));
    formats->setCurrentIndex(format >= 0 && format <= kSnapGif ? format : 0);
    auto* sample = new QLabel;
    sample->setTextFormat(Qt::PlainText);
    auto update = [edit, formats, sample] {
        sample->setText(edit->text() + QStringLiteral("001") +
                        QLatin1String(SnapExtension(formats->currentIndex())));
    };
    connect(edit, &QLineEdit::textChanged, this, update);
    connect(formats, &QComboBox::currentIndexChanged, this, update);
    update();
    auto* form = new QFormLayout;
    form->addRow(Text(kStrPrefix), edit);
    form->addRow(Text(kStrSample), sample);
    form->addRow(Text(kStrFormat), formats);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    AttachHelp(this, kHelpCapture, buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(edit, &QLineEdit::textChanged, this, [buttons](const QString& text) {
        buttons->button(QDialogButtonBox::Ok)->setEnabled(!text.isEmpty());
    });
    auto* column = new QVBoxLayout(this);
    column->addLayout(form);
    column->addWidget(buttons);
}

std::string CCaptureFormatDialog::Prefix() const {
    return findChild<QLineEdit*>(QStringLiteral("prefix"))->text().toStdString();
}

int CCaptureFormatDialog::Format() const {
    return findChild<QComboBox*>(QStringLiteral("format"))->currentIndex();
}

}  // namespace xelo
