#include "mainwnd/presets.h"

#include <QAbstractItemView>
#include <QCheckBox>
#include <QComboBox>
#include <QFontMetrics>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <algorithm>

#include "base/string_ids.h"
#include "engine/output_types.h"
#include "engine/preset_choices.h"
#include "support/resource_strings.h"

namespace clipwright {
namespace {

std::string Format(const char* format, auto... args) {
    const int length = std::snprintf(nullptr, 0, format, args...);
    std::string text(static_cast<size_t>(std::max(length, 0)), '\0');
    std::snprintf(text.data(), text.size() + 1, format, args...);
    return text;
}

std::string Label(std::string_view label) {
    return std::string(label);
}

void FillCombo(QComboBox* combo, const std::vector<std::string>& texts) {
    combo->clear();
    combo->addItem(QString::fromStdString(LoadResourceString(kIdsKeepOriginal)), -1);
    for (size_t i = 0; i < texts.size(); ++i) {
        combo->addItem(QString::fromStdString(texts[i]), static_cast<int>(i));
    }
    combo->setCurrentIndex(0);
    // The drop-down list is as wide as its widest row, measured with the box's own font.
    const QFontMetrics metrics(combo->font());
    int widest = 0;
    for (int row = 0; row < combo->count(); ++row) {
        widest = std::max(widest, metrics.horizontalAdvance(combo->itemText(row)));
    }
    combo->view()->setMinimumWidth(widest);
    combo->setEnabled(true);
}

// A box without a selection reads as "Keep Original", never as a row before the first.
int32_t Choice(const QComboBox* combo) {
    return std::max(0, combo->currentIndex());
}

}  // namespace

std::vector<std::string> FrameSizeTexts() {
    std::vector<std::string> texts;
    for (const FrameSize& size : kFrameSizes) {
        if (size.width == 640 && size.height == 480) {
            texts.push_back(Format("%dx%d - %s (%s)", size.width, size.height,
                                   Label(size.label).c_str(),
                                   LoadResourceString(kIdsRecommended).c_str()));
        } else {
            texts.push_back(
                Format("%dx%d - %s", size.width, size.height, Label(size.label).c_str()));
        }
    }
    return texts;
}

std::vector<std::string> FrameRateTexts() {
    std::vector<std::string> texts;
    for (const double rate : kFrameRates) {
        texts.push_back(Format("%2.3f fps", rate));
    }
    return texts;
}

std::vector<std::string> VideoBitrateTexts() {
    std::vector<std::string> texts;
    for (const int32_t kbps : kVideoBitrates) {
        texts.push_back(
            kbps == 768 ? Format("%d kbps - %s", kbps, LoadResourceString(kIdsRecommended).c_str())
                        : Format("%d kbps", kbps));
    }
    return texts;
}

std::vector<std::string> AudioBitrateTexts() {
    std::vector<std::string> texts;
    for (const AudioBitrate& rate : kAudioBitrates) {
        const std::string label = Label(rate.label);
        texts.push_back(rate.kbps == 64 ? Format("%d kbps - %s (%s)", rate.kbps, label.c_str(),
                                                 LoadResourceString(kIdsRecommended).c_str())
                                        : Format("%d kbps - %s", rate.kbps, label.c_str()));
    }
    return texts;
}

std::vector<std::string> ChannelTexts() {
    std::vector<std::string> texts;
    for (const int32_t channels : kAudioChannels) {
        texts.push_back(LoadResourceString(channels == 1 ? kIdsOneChannel : kIdsTwoChannels));
    }
    return texts;
}

std::vector<std::string> SampleRateTexts() {
    std::vector<std::string> texts;
    for (const int32_t hz : kSampleRates) {
        texts.push_back(Format("%d HZ", hz));
    }
    return texts;
}

std::vector<std::string> VolumeTexts() {
    std::vector<std::string> texts;
    for (const double factor : kVolumeFactors) {
        texts.push_back(factor == 0.0 ? Format("%.0f%% - %s", factor * 100,
                                               LoadResourceString(kIdsDisableAudio).c_str())
                                      : Format("%.0f%%", factor * 100));
    }
    return texts;
}

void MakeDigitsOnly(QLineEdit* edit) {
    edit->setValidator(
        new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]*")), edit));
}

void FillSettingCombos(const SettingControls& controls) {
    FillCombo(controls.size, FrameSizeTexts());
    FillCombo(controls.frameRate, FrameRateTexts());
    FillCombo(controls.videoBitrate, VideoBitrateTexts());
    FillCombo(controls.audioBitrate, AudioBitrateTexts());
    FillCombo(controls.channels, ChannelTexts());
    FillCombo(controls.sampleRate, SampleRateTexts());
    FillCombo(controls.volume, VolumeTexts());
    OnSizeSelChange(controls.size, controls.width, controls.height);
    OnVbrClicked(controls.variableBitRate, controls.maxRate, controls.minRate);
}

void OnSizeSelChange(QComboBox* size, QLineEdit* width, QLineEdit* height) {
    const FrameSize* entry = EntryOfRow(kFrameSizes, size->currentIndex());
    width->setText(QString::number(entry != nullptr ? entry->width : 0));
    height->setText(QString::number(entry != nullptr ? entry->height : 0));
}

void OnVbrClicked(QCheckBox* variableBitRate, QLineEdit* maxRate, QLineEdit* minRate) {
    const bool checked = variableBitRate->isChecked();
    maxRate->setEnabled(checked);
    minRate->setEnabled(checked);
}

bool NormalizeFrameSize(QLineEdit* width, QLineEdit* height) {
    std::string widthText = width->text().toStdString();
    std::string heightText = height->text().toStdString();
    NormalizeFrameSizeTexts(widthText, heightText);
    // Only a changed box is written, so a box being edited keeps its cursor.
    if (widthText != width->text().toStdString()) {
        width->setText(QString::fromStdString(widthText));
    }
    if (heightText != height->text().toStdString()) {
        height->setText(QString::fromStdString(heightText));
    }
    return true;
}

ConversionSettings ReadConversionSettings(const SettingControls& controls, int32_t outputType,
                                          int32_t tvStandard, const std::string& outputFolder) {
    ConversionSettings settings;
    settings.outputType = outputType;
    settings.tvStandard = tvStandard;
    settings.widthText = controls.width->text().toStdString();
    settings.heightText = controls.height->text().toStdString();
    settings.frameRateChoice = Choice(controls.frameRate);
    settings.variableBitRate = controls.variableBitRate->isChecked();
    settings.videoBitrateChoice = Choice(controls.videoBitrate);
    settings.maxRateText = controls.maxRate->text().toStdString();
    settings.minRateText = controls.minRate->text().toStdString();
    settings.channelsChoice = Choice(controls.channels);
    settings.audioBitrateChoice = Choice(controls.audioBitrate);
    settings.sampleRateChoice = Choice(controls.sampleRate);
    settings.volumeChoice = Choice(controls.volume);
    settings.outputFolder = outputFolder;
    return settings;
}

void CopySettingChoices(const SettingControls& from, const SettingControls& to) {
    to.size->setCurrentIndex(from.size->currentIndex());
    to.height->setText(from.height->text());
    to.width->setText(from.width->text());
    to.frameRate->setCurrentIndex(from.frameRate->currentIndex());
    to.videoBitrate->setCurrentIndex(from.videoBitrate->currentIndex());
    to.variableBitRate->setChecked(from.variableBitRate->isChecked());
    OnVbrClicked(to.variableBitRate, to.maxRate, to.minRate);
    to.maxRate->setText(from.maxRate->text());
    to.minRate->setText(from.minRate->text());
    to.channels->setCurrentIndex(from.channels->currentIndex());
    to.audioBitrate->setCurrentIndex(from.audioBitrate->currentIndex());
    to.sampleRate->setCurrentIndex(from.sampleRate->currentIndex());
    to.volume->setCurrentIndex(from.volume->currentIndex());
}

}  // namespace clipwright
